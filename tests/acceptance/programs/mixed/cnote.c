/* Called back by the Fortran library. */
#include <stdio.h>
#include "names.h"
void CNOTE(int *n) {
  printf("CNOTE %d\n", *n);
  fflush(stdout);
}
