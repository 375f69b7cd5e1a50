// The processor the code generator is to aim at.
#pragma once

// Processor codes for the code generator ("-N<code>"); 0 is no particular
// processor.
enum : int {
  CpuNone = 0,
  CpuP6 = 100,
  CpuP7 = 133,
  CpuAthlon = 135,
  CpuAthlon64 = 159,
};

// Reads the host's vendor text and signature into process-wide storage.
void read_cpu_identity();
// The code of the host processor (0, 100, 133, 135 or 159).
int detect_target_cpu();
// 1 when the host can run SSE2 code, else 0.
int host_supports_sse2();
// The code for a vendor text and a signature.
int target_cpu_for(const char* vendor, unsigned signature);
