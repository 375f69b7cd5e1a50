// The target the GNU-backed tools build for, chosen once when a tool starts
// and handed to every step that depends on it: this host, or Windows through
// a MinGW-w64 cross toolchain.
#pragma once
#include <string>

namespace gnu {

struct Target {
  // "" for the host, else the triple ("i686-w64-mingw32", "x86_64-w64-mingw32").
  std::string triple;
  bool windows = false;  // a MinGW-w64 triple
  bool x86_64 = false;   // a 64-bit x86 triple: no "_" before C names, 64-bit PE sizes
  // The programs run: gfortran, gcc, g++, ar and dlltool of the target
  // ("<triple>-gfortran", ...), unless F90_GNU_FC, F90_GNU_CC,
  // F90_GNU_CXX, F90_GNU_AR or F90_GNU_DLLTOOL name others.
  std::string fortran_compiler, c_compiler, cxx_compiler, archiver, dlltool;
  // What the target's C compiler puts before a C name: "_" on 32-bit Windows.
  std::string c_decoration() const { return windows && !x86_64 ? "_" : ""; }
};

// The target of a triple, with the programs the environment names.
Target target_for(const std::string& triple);
// The installed target: F90_GNU_TARGET when set, else the content of the
// "gnu-mode" file beside the running tool; the host when neither names one.
Target installed_target();
// The file "gnu-mode" beside the running tool, or "" when the tool cannot
// tell where it lies (the current directory is the user's, not the
// installation's).
std::string mode_marker(const char* argv0);

}  // namespace gnu
