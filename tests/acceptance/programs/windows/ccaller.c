/* Calls the DLL through its import library. */
#include <stdio.h>
void greet(void);
int __stdcall twice(int n);
int main(void) {
  greet();
  fflush(stdout);
  printf("twice(21) = %d\n", twice(21));
  return 0;
}
