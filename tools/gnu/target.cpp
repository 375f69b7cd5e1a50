// The target of the GNU-backed tools, chosen once.
#include "tools/gnu/target.h"

#include <cstdlib>

#include "platform/platform.h"
#include "tools/gnu/files.h"

namespace gnu {
namespace {

// The program named by `variable`, else the GNU program `name` of the target.
std::string program(const char* variable, const std::string& triple, const char* name) {
  const char* value = std::getenv(variable);
  if (value && *value) return value;
  return triple.empty() ? name : triple + "-" + name;
}

}  // namespace

Target target_for(const std::string& triple) {
  Target t;
  t.triple = triple;
  t.windows = ends_with(triple, "-w64-mingw32");
  t.x86_64 = starts_with(triple, "x86_64");
  t.fortran_compiler = program("F90_GNU_FC", triple, "gfortran");
  t.c_compiler = program("F90_GNU_CC", triple, "gcc");
  t.cxx_compiler = program("F90_GNU_CXX", triple, "g++");
  t.archiver = program("F90_GNU_AR", triple, "ar");
  t.dlltool = program("F90_GNU_DLLTOOL", triple, "dlltool");
  return t;
}

Target installed_target() {
  if (const char* chosen = std::getenv("F90_GNU_TARGET")) return target_for(chosen);
  std::string text;
  if (!read_text(mode_marker(nullptr), &text)) return target_for("");
  size_t end = text.find_last_not_of(" \t\r\n");
  return target_for(end == std::string::npos ? "" : text.substr(0, end + 1));
}

std::string mode_marker(const char* argv0) {
  char self[4096];
  std::string exe = plat_executable_path(self, sizeof self) ? self : (argv0 ? argv0 : "");
  size_t slash = exe.rfind('/');
  return slash == std::string::npos ? "" : exe.substr(0, slash + 1) + "gnu-mode";
}

}  // namespace gnu
