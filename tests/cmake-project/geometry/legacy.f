C     A subroutine in fixed form: the sum of 1 to N.
      SUBROUTINE LEGSUM(N, ISUM)
      INTEGER N, ISUM, I
      ISUM = 0
      DO 10 I = 1, N
        ISUM = ISUM + I
   10 CONTINUE
      END
