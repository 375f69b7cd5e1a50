C     CNOTE compiled by plain gfortran: a GNU library.
      SUBROUTINE CNOTE(N)
      INTEGER N
      PRINT '(A, I0)', 'fnote ', N
      END
