// Reads the processor as a program sees it, for the tests that run the
// driver on emulated processors: prints the vendor text, the signature (EAX
// of CPUID leaf 1) and EDX of leaf 1 in hex. With the argument "ldmxcsr" it
// loads the SSE control register instead, and dies of the illegal
// instruction where the SSE state cannot be used.
#include <cpuid.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "ldmxcsr") == 0) {
    unsigned control = 0x1F80;
    __asm__ volatile("ldmxcsr %0" : : "m"(control));
    return 0;
  }
  unsigned a = 0, b = 0, c = 0, d = 0;
  char vendor[13] = "____________";
  if (__get_cpuid(0, &a, &b, &c, &d)) {
    std::memcpy(vendor, &b, 4);
    std::memcpy(vendor + 4, &d, 4);
    std::memcpy(vendor + 8, &c, 4);
    __get_cpuid(1, &a, &b, &c, &d);
  }
  std::printf("%s %x %x\n", vendor, a, d);
  return 0;
}
