#include <stdio.h>

#include "fortran_names.h"

double stats_mean(const double *values, int n); /* in the Fortran DLL */
void describe_circle(double radius);            /* in the Fortran static library */
/* The fixed-form LEGSUM, by the name that CMake finds for it. */
void FC_GLOBAL(legsum, LEGSUM)(int *n, int *sum);

int main(void) {
  double values[] = {1, 2, 3, 4};
  int n = 10, sum = 0;
  printf("C: mean %.2f\n", stats_mean(values, 4));
  fflush(stdout);
  describe_circle(2.0); /* prints through the Fortran runtime */
  FC_GLOBAL(legsum, LEGSUM)(&n, &sum);
  printf("C: legacy %d\n", sum);
  return 0;
}
