#include "driver/exit.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "driver/startup.h"
#include "platform/fault_injection.h"
#include "platform/platform.h"

namespace {

std::atomic<bool> Exiting{false};
bool CleanupRegistered = false;

extern "C" void run_exit_cleanup() { exit_cleanup(); }

}  // namespace

void register_exit_cleanup() { CleanupRegistered = std::atexit(run_exit_cleanup) == 0; }

void driver_exit(int status) {
#ifdef F90_EXIT_THROWS
  std::fflush(stdout);
  throw DriverExit{status};
#endif
  // A failure inside the exit's own clean-up (storage running out while the
  // temporary directory is emptied) ends the process at once: waiting for
  // the exit in progress would be waiting for this very thread.
  static thread_local bool ThisThreadExits = false;
  if (ThisThreadExits) {
    std::fflush(stdout);
    std::_Exit(status);
  }
  // The first caller ends the process; a second one (the interrupt thread
  // while the main thread is already on its way out, or the reverse) waits
  // for that end instead of running the clean-up a second time.
  if (Exiting.exchange(true)) plat_block_forever();
  ThisThreadExits = true;
  std::fflush(stdout);
  if (!CleanupRegistered) exit_cleanup();
  std::exit(status);
}

void fail(const char* format, ...) {
  std::fflush(stdout);
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
  driver_exit(1);
}

void* checked_malloc(size_t size) {
  void* p = plat_fault("alloc") ? nullptr : std::malloc(size);
  if (!p) fail("ERROR: Out of memory.\n");
  return p;
}
