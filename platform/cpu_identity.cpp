// Processor identity and the SSE2 probe. Placeholder answers until the
// processor detection lands: a host without CPUID.
#include <cstring>

#include "platform/platform.h"

void plat_read_cpu_identity(CpuIdentity* identity) {
  std::memcpy(identity->vendor, "____________", 13);
  identity->signature = 0;
}

int plat_sse2_probe() { return 0; }
