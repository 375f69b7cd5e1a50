// The driver's ways out. Every exit, with status 0 or 1, from the main thread
// or from an interrupt, goes through driver_exit so that the temporary
// directory is removed exactly once.
#pragma once
#include <cstddef>

#ifdef F90_EXIT_THROWS
// In a build that runs the driver's code many times in one process (the
// fuzzer and its regression tests), an exit does not end the process: it
// unwinds to the caller as this exception, carrying the status. Nothing is
// cleaned up on the way; the caller resets the driver's state.
struct DriverExit {
  int status;
};
#endif

// Ends the process with `status`, running the exit clean-up on the way.
[[noreturn]] void driver_exit(int status);
// Writes the printf-style message to standard error and exits with status 1.
[[noreturn]] void fail(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
// `size` bytes from malloc; when storage has run out there is no way to go
// on, and the run ends with "ERROR: Out of memory.".
void* checked_malloc(size_t size);
// Registers the exit clean-up with the process (atexit). Called first in main.
void register_exit_cleanup();
