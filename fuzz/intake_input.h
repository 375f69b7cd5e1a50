// One run of the driver's intake and link planning on bytes from the fuzzer
// (or from a regression test that replays what the fuzzer found).
//
// The bytes are split at NUL bytes into up to six sections:
//   0  the command line, one argument per line (after the program name)
//   1  default.opt of the installation directory
//   2  response file "r"
//   3  response file "s"
//   4  response file "t"
//   5  source file "u.f90"
// A missing section makes no file. The files live in a scratch directory,
// which is also the current directory and the installation directory, so
// "@r" reaches the first response file and "*" matches them all. Every '/'
// of the input is read as '\', so no name reaches out of the scratch
// directory (an absolute path, "..", a device such as /dev/zero).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Makes the scratch directory under the system's temporary path, enters it
// and sets InstallDir to it. Later calls do nothing.
void intake_scratch_open();
// Removes the scratch directory and everything in it.
void intake_scratch_close();

// Result of one run: the exit status the driver asked for, or -1 when intake
// and planning returned normally.
int run_intake_input(const uint8_t* data, size_t size);
