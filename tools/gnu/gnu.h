// The stand-in tools' second mode: instead of only recording their command
// lines they really compile and link with the GNU toolchain, so that the
// driver builds programs that run (doc/gnu-tools.md). It exists where the
// tools run on POSIX; the Windows build of the tools records only.
#pragma once
#include <string>
#include <vector>

// True when the stand-ins are to really build: F90_TOOL_MODE=gnu in the environment, or a file named
// "gnu-mode" beside the running executable (written when the stand-ins are installed in that mode).
// Any other non-empty F90_TOOL_MODE keeps the recording mode, marker or not.
bool gnu_mode_selected(const char* argv0);
// Does the tool's work with gfortran/gcc/g++/ar. `tool` is "ftfront", "ixform", "ocgen", "OCC" or "olink";
// `args` are its arguments after the program name, "@file" already expanded. For OCC the first argument is
// the driver's "-A" (C) or "-c++" (C++). Returns the exit status the tool must end with.
int gnu_backend_run(const std::string& tool, const std::vector<std::string>& args);
