C     Calls the library from Fortran.
      REAL X(3), DOTP
      DATA X /1, 2, 3/
      PRINT '(A, F4.1)', 'dotp ', DOTP(X, X, 3)
      END
