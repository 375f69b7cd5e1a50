#include <stdio.h>

#include "fortran_names.h"

double circle_area(double radius);
void FC_GLOBAL(legsum, LEGSUM)(int *n, int *sum);

int main(void) {
  int n = 10, sum = 0;
  printf("C: circle area %.2f\n", circle_area(2.0));
  FC_GLOBAL(legsum, LEGSUM)(&n, &sum);
  printf("C: legacy %d\n", sum);
  return 0;
}
