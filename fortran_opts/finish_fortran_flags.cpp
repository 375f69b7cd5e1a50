// Completion of the Fortran flags once every option is known: optimisation,
// loop unrolling, the Fortran runtime libraries and the module directories.
#include <string>

#include "driver/settings.h"
#include "fortran_opts/fortran_flags.h"

namespace {

constexpr int DefaultUnrollCount = 4;
constexpr int DefaultUnrollLimit = 40;

void add_optimisation_flags() {
  if (OptLevel >= 2) arglist_prepend(FrontEndFlags, "-O0");
  if (OptLevel >= 3) {
    arglist_append(TransformerFlags, "-YTRANSFORM_LOOPS");
    if (UnrollCount == -2 && UnrollLimit == -2) UnrollCount = UnrollLimit = -1;
  }
}

void settle_unrolling() {
  if (UnrollCount > 0 && UnrollLimit < 0) UnrollLimit = DefaultUnrollLimit;
  if (UnrollLimit > 0 && UnrollCount < 0) UnrollCount = DefaultUnrollCount;
  if (UnrollThird > 0) {
    if (UnrollCount < 0) UnrollCount = DefaultUnrollCount;
    if (UnrollLimit < 0) UnrollLimit = DefaultUnrollLimit;
  }
  if (UnrollCount == -1 && UnrollLimit == -1) {
    arglist_prepend(TransformerFlags, "-YUNROLL=auto");
  } else if (UnrollCount > 0) {
    std::string flag = "-YUNROLL=" + std::to_string(UnrollCount) + "," + std::to_string(UnrollLimit);
    if (UnrollThird > 0) flag += "," + std::to_string(UnrollThird);
    arglist_append(TransformerFlags, flag);
  }
}

// The I/O library by the DLL and thread-safe choices.
const char* io_library() {
  static const char* const names[2][2] = {{"rtio", "rtiot"}, {"rtiodll", "rtiotdll"}};
  return names[UseDllRuntime ? 1 : 0][ThreadSafeIO ? 1 : 0];
}

void add_runtime_library(const char* base) { arglist_append(LinkLibraries, suite_library(base)); }

void add_runtime_libraries() {
  if (!NoDefaultLib) {
    add_runtime_library(UseDllRuntime ? "rt9mdll" : "rt9math");
    add_runtime_library(io_library());
  }
  if (TargetKind == KindWsimAppl) arglist_append(LinkLibraries, "wsim.lib");
  if (!NoDefaultLib) add_runtime_library(UseDllRuntime ? "rtmathdll" : "rtmath");
}

}  // namespace

std::string suite_library(const char* base) {
  std::string name = base;
  name += ToolSuffix;
  name += ".lib";
  return name;
}

void finish_fortran_flags() {
  add_optimisation_flags();
  settle_unrolling();
  add_runtime_libraries();
  add_module_dir_flags();
}
