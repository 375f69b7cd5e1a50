// Failures on demand, for the tests of the paths that a real system does not
// take when asked: storage running out, a response file that cannot be made
// or written, a wait for a child interrupted by a signal. Only test builds
// (F90_BUILD_TESTS) have them; elsewhere plat_fault is false and costs nothing.
//
// F90_TEST_FAULT="<call>:<n>", read at the first call, makes the n-th
// occurrence (from 1) of <call> fail, once. The calls:
//   alloc   an allocation of the driver's lists, names and command lines
//   line    the storage for a line of a default options or response file
//   create  the creation of a tool's response file
//   write   the writing of a tool's response file
//   wait    the wait for a child, which then reports EINTR (POSIX)
#pragma once

#ifdef F90_TEST_SEAMS
bool plat_fault(const char* call);
#else
inline bool plat_fault(const char*) { return false; }
#endif
