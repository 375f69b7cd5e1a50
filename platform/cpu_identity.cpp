// Processor identity (CPUID) and the SSE2 probe. On a build that is not for
// x86 the host has no CPUID: the vendor text keeps its underscores and the
// probe answers 0.
#include <cstdint>
#include <cstring>

#include "platform/platform.h"
#include "platform/sse2_rules.h"

#if defined(__i386__) || defined(__x86_64__)
#define F90_X86 1
#include <cpuid.h>
#ifdef _WIN32
#include <windows.h>
#endif
#endif

namespace {

#if F90_X86
// True when the flag bit `mask` of the flags register can be changed.
bool flag_can_change(uint32_t mask) {
#if defined(__x86_64__)
  (void)mask;
  return true;  // every x86-64 processor has CPUID and alignment checks
#else
  uint32_t changed;
  __asm__ volatile(
      "pushfl\n\t"
      "popl %%eax\n\t"
      "movl %%eax, %%ecx\n\t"
      "xorl %1, %%eax\n\t"
      "pushl %%eax\n\t"
      "popfl\n\t"
      "pushfl\n\t"
      "popl %%eax\n\t"
      "pushl %%ecx\n\t"
      "popfl\n\t"
      "xorl %%ecx, %%eax\n\t"
      "movl %%eax, %0\n\t"
      : "=r"(changed)
      : "r"(mask)
      : "eax", "ecx", "cc");
  return (changed & mask) != 0;
#endif
}

constexpr uint32_t IdFlag = 1u << 21;
constexpr uint32_t AlignmentCheckFlag = 1u << 18;

// Loads MXCSR with the probe's control value; the writable bits are read
// once per process.
void load_sse_control() {
  static uint32_t writable = 0;
  if (writable == 0) {
    alignas(16) unsigned char state[512];
    std::memset(state, 0, sizeof state);
    __asm__ volatile("fxsave %0" : "=m"(state));
    uint32_t mask;
    std::memcpy(&mask, state + 28, sizeof mask);
    writable = sse2_rules::writable_bits(mask);
  }
  uint32_t value = sse2_rules::control_value(writable);
  __asm__ volatile("ldmxcsr %0" : : "m"(value));
}

// The probe proper: CPUID says FXSR and SSE2, and MXCSR can be loaded.
int sse2_probe_body() {
  unsigned a, b, c, d;
  __cpuid(1, a, b, c, d);
  if (!sse2_rules::qualifies(d)) return 0;
  load_sse_control();
  return 1;
}
#endif  // F90_X86

}  // namespace

void plat_read_cpu_identity(CpuIdentity* identity) {
  std::memcpy(identity->vendor, "____________", 13);
  identity->signature = 0;
#if F90_X86
  if (!flag_can_change(IdFlag)) {
    identity->signature = flag_can_change(AlignmentCheckFlag) ? 1 : 0;
    return;
  }
  unsigned a, b, c, d;
  __cpuid(0, a, b, c, d);
  std::memcpy(identity->vendor, &b, 4);
  std::memcpy(identity->vendor + 4, &d, 4);
  std::memcpy(identity->vendor + 8, &c, 4);
  identity->vendor[12] = '\0';
  __cpuid(1, a, b, c, d);
  identity->signature = a;
#endif
}

int plat_sse2_probe() {
#if F90_X86
  if (!flag_can_change(IdFlag)) return 0;
#ifdef _WIN32
  // The system tells whether it keeps the SSE2 state.
  if (!IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE)) return 0;
#endif
  // An illegal-instruction fault (no SSE state enabled by the system) ends
  // the probe with the answer 0.
  return plat_run_guarded(sse2_probe_body, 0);
#else
  return 0;
#endif
}
