#include <stdio.h>

double circle_area(double radius);

int main(void) {
  printf("C: circle area %.2f\n", circle_area(2.0));
  return 0;
}
