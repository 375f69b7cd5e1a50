C     A Fortran 77 library as C callers use it: MEANSD and DOTP, the
C     common block CONFIG, and a call back to CNOTE.
      SUBROUTINE MEANSD(X, N, XMEAN, SD)
      INTEGER N, I, NITER
      REAL X(N), XMEAN, SD, SCALE
      COMMON /CONFIG/ SCALE, NITER
      XMEAN = 0
      SD = 0
      DO 10 I = 1, N
        XMEAN = XMEAN + X(I)
   10 CONTINUE
      XMEAN = SCALE * XMEAN / N
      DO 20 I = 1, N
        SD = SD + (X(I) - XMEAN)**2
   20 CONTINUE
      SD = SQRT(SD / N)
      NITER = NITER + 1
      CALL CNOTE(N)
      END

      REAL FUNCTION DOTP(A, B, N)
      INTEGER N, I
      REAL A(N), B(N)
      DOTP = 0
      DO 10 I = 1, N
        DOTP = DOTP + A(I) * B(I)
   10 CONTINUE
      END
