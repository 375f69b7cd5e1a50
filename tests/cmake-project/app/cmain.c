#include <stdio.h>

double stats_mean(const double *values, int n); /* in the Fortran DLL */
void describe_circle(double radius);            /* in the Fortran static library */

int main(void) {
  double values[] = {1, 2, 3, 4};
  printf("C: mean %.2f\n", stats_mean(values, 4));
  fflush(stdout);
  describe_circle(2.0); /* prints through the Fortran runtime */
  return 0;
}
