/* Calls the Fortran library and shares its common block. */
#include <stdio.h>
#include "names.h"
extern struct { float scale; int niter; } CONFIG;
void MEANSD(float *x, int *n, float *mean, float *sd);
float DOTP(float *a, float *b, int *n);
int main(void) {
  float x[4] = {1, 2, 3, 4}, mean, sd;
  int n = 4;
  CONFIG.scale = 2;
  MEANSD(x, &n, &mean, &sd);
  printf("mean %g sd %.4f calls %d dotp %g\n", mean, sd, CONFIG.niter, DOTP(x, x, &n));
  return 0;
}
