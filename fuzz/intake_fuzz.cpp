// libFuzzer target over the driver's intake and link planning.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz/intake_input.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  intake_scratch_open();
  std::atexit(intake_scratch_close);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  run_intake_input(data, size);
  return 0;
}
