C     FIXED FORM: A COMMENT IN COLUMN 1 AND A LABELLED DO LOOP, WHICH
C     FREE FORM WOULD REFUSE. COLUMNS 73 ON ARE CUT OFF UNLESS -t
C     ALLOWS LONGER LINES: N IS 1, OR 42 WITH THE WHOLE LINE.
      PROGRAM OLD
      INTEGER I, N
      N = 0
      DO 10 I = 1, 100
         N = N + I
   10 CONTINUE
      WRITE (*, '(A, I0)') 'SUM ', N
      N = 1                                                             + 41
      PRINT '(I0)', N
      END
