// For the static 32-bit test programs: GoogleTest can stream its results to
// a socket (never asked for here) and so calls getaddrinfo, whose static C
// library version warns at every link that it needs shared libraries at run
// time. These stand in for it and never find an address.
#include <netdb.h>

extern "C" int getaddrinfo(const char*, const char*, const addrinfo*, addrinfo** result) {
  *result = nullptr;
  return EAI_FAIL;
}
extern "C" void freeaddrinfo(addrinfo*) noexcept {}
extern "C" const char* gai_strerror(int) noexcept { return "no name lookup in the test programs"; }
