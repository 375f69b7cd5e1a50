#include "platform/fault_injection.h"

#ifdef F90_TEST_SEAMS
#include <cstdlib>
#include <cstring>
#include <string>

bool plat_fault(const char* call) {
  static const char* const Given = std::getenv("F90_TEST_FAULT");
  static const char* const Colon = Given ? std::strchr(Given, ':') : nullptr;
  static const std::string Call = Colon ? std::string(Given, Colon) : std::string();
  static const long Occurrence = Colon ? std::atol(Colon + 1) : 0;
  static long seen = 0;
  return Call == call && ++seen == Occurrence;
}
#endif
