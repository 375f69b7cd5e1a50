#include <cstdlib>
#include <cstring>

#include "link/cpu.h"
#include "platform/platform.h"

namespace {

CpuIdentity HostIdentity;

#ifdef F90_TEST_SEAMS
// Test builds can stand in another host: F90_TEST_CPU is
// "<vendor>:<signature in hex>:<sse2 0 or 1>", or "none" for a processor
// without CPUID.
const char* test_cpu() { return std::getenv("F90_TEST_CPU"); }

bool read_test_identity(CpuIdentity* id, int* sse2) {
  const char* given = test_cpu();
  if (!given) return false;
  std::memcpy(id->vendor, "____________", 13);
  id->signature = 0;
  *sse2 = 0;
  if (std::strcmp(given, "none") == 0) return true;
  const char* colon = std::strchr(given, ':');
  if (!colon) return true;
  size_t len = static_cast<size_t>(colon - given);
  if (len > 12) len = 12;
  std::memset(id->vendor, 0, sizeof id->vendor);
  std::memcpy(id->vendor, given, len);
  char* end = nullptr;
  id->signature = static_cast<uint32_t>(std::strtoul(colon + 1, &end, 16));
  if (end && *end == ':') *sse2 = std::atoi(end + 1) ? 1 : 0;
  return true;
}
#endif

}  // namespace

void read_cpu_identity() {
#ifdef F90_TEST_SEAMS
  int sse2;
  if (read_test_identity(&HostIdentity, &sse2)) return;
#endif
  plat_read_cpu_identity(&HostIdentity);
}

int target_cpu_for(const char* vendor, unsigned signature) {
  unsigned family = (signature >> 8) & 0xF;
  unsigned model = (signature >> 4) & 0xF;
  unsigned extended_family = (signature >> 20) & 0xFF;
  if (std::strcmp(vendor, "GenuineIntel") == 0) {
    if (family == 6) return CpuP6;
    if (family == 15) return extended_family == 0 ? CpuP7 : CpuNone;
    return CpuNone;
  }
  if (std::strcmp(vendor, "AuthenticAMD") == 0) {
    if (family == 5) return model >= 6 ? CpuP6 : CpuNone;
    if (family == 6) return CpuAthlon;
    if (family == 15) return CpuAthlon64;
    return CpuNone;
  }
  return CpuNone;
}

int detect_target_cpu() {
  read_cpu_identity();
  char vendor[13];
  std::memcpy(vendor, HostIdentity.vendor, 12);
  vendor[12] = '\0';
  return target_cpu_for(vendor, HostIdentity.signature);
}

int host_supports_sse2() {
#ifdef F90_TEST_SEAMS
  CpuIdentity id;
  int sse2;
  if (read_test_identity(&id, &sse2)) return sse2;
#endif
  return plat_sse2_probe() ? 1 : 0;
}
