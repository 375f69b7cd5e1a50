// Link planning: runs once after intake, before the pipeline, and finishes
// the code generator's and the linker's lists.
#include <cstring>
#include <string>

#include "driver/exit.h"
#include "driver/settings.h"
#include "driver/startup.h"
#include "fortran_opts/fortran_flags.h"
#include "link/cpu.h"
#include "link/link.h"
#include "platform/platform.h"

namespace {

// Replaces every entry that the directory search matches by the names it
// reports, each behind the entry's directory prefix; entries that match
// nothing stay. Inserted names are not expanded again.
void expand_wildcards(ArgList* inputs) {
  ArgList* found = arglist_create();
  ArgNode* e = arglist_first(inputs);
  while (e) {
    ArgNode* following = argnode_next(e);
    const char* pattern = argnode_value(e);
    if (plat_find_all(pattern, found) > 0) {
      size_t prefix_len = 0;
      for (const char* p = pattern; *p; ++p)
        if (std::strchr(DirPartEnds, *p)) prefix_len = static_cast<size_t>(p - pattern) + 1;
      std::string name(pattern, prefix_len);
      for (ArgNode* n = arglist_first(found); n; n = argnode_next(n)) {
        name.resize(prefix_len);
        name += argnode_value(n);
        arglist_insert_before(inputs, e, name);
      }
      arglist_remove(inputs, e);
      while (arglist_first(found)) arglist_remove_first(found);
    }
    e = following;
  }
  arglist_destroy(found);
}

void check_output_name(const ArgList* inputs) {
  ArgNode* first = arglist_first(inputs);
  if (!OutputName || !first || !argnode_next(first)) return;
  if (TargetKind == KindAssembly)
    fail("\nNo output file should be specified when generating assembly\nfor multiple files.\n");
  if (TargetKind == KindObjects)
    fail("\nNo output file should be specified when generating object code\n"
         "for multiple files.\n");
}

void add_target_kind_options() {
  static const char* const Wsim[] = {"-aliases:wsim.als", "-entry:_WinMainCRTStartup",
                                     "-aliases:UNICODE.ALS", "-subsystem:windows"};
  if (TargetKind == KindWsimAppl) {
    for (const char* o : Wsim) arglist_append(LinkOptions, o);
  } else if (TargetKind == KindPlainAppl || TargetKind == KindConsoleExe) {
    arglist_append(LinkOptions, "-aliases:UNICODE.ALS");
  } else if (TargetKind == KindStaticLib) {
    arglist_append(LinkOptions, "-lib");
  }
}

void add_code_generator_flags() {
  if (SafeFP)
    for (const char* f : {"+N157", "+N137", "+N41", "-N24"}) arglist_append(CodeGenFlags, f);
  if (OptLevel >= 1 && OptLevel <= 3)
    arglist_prepend(CodeGenFlags, "-O" + std::to_string(OptLevel));

  if (TargetCpu < 0 && OptLevel >= 2) TargetCpu = detect_target_cpu();
  if (TargetCpu > 0) arglist_append(CodeGenFlags, "-N" + std::to_string(TargetCpu));

  bool sse2_target = TargetCpu == CpuP7 || TargetCpu == CpuAthlon || TargetCpu == CpuAthlon64;
  if (sse2_target && Sse2Mode == 0 && OptLevel >= 2 && host_supports_sse2()) Sse2Mode = 1;
  if (Sse2Mode > 0) arglist_append(CodeGenFlags, "-N160");
}

void add_default_libraries() {
  if (NoDefaultLib) return;
  arglist_prepend(LinkLibraries, suite_library("orvRT0"));
  arglist_append(LinkLibraries, suite_library(UseDllRuntime ? "libocdll" : "liboc"));
  static const char* const Wsim[] = {"winif.lib", "user32.lib", "gdi32.lib", "winmm.lib"};
  static const char* const Plain[] = {"winif.lib", "user32.lib", "gdi32.lib", "comctl32.lib",
                                      "advapi32.lib"};
  if (TargetKind == KindWsimAppl)
    for (const char* l : Wsim) arglist_append(LinkLibraries, l);
  if (TargetKind == KindPlainAppl)
    for (const char* l : Plain) arglist_append(LinkLibraries, l);
  arglist_append(LinkLibraries, "comdlg32.lib");
  arglist_append(LinkLibraries, "kernel32.lib");
}

void add_name_case_flag() {
  if (VarNameCase == 1) arglist_append(CodeGenFlags, "-N162");
  if (VarNameCase == 2) arglist_append(CodeGenFlags, "-N163");
}

// The code-generator flags that must come first ("-N31" ... "-N34", "-N76",
// whatever their prefix character).
bool goes_first(const char* flag) {
  if (!*flag) return false;
  const char* rest = flag + 1;
  for (const char* f : {"N31", "N32", "N33", "N34", "N76"})
    if (std::strcmp(rest, f) == 0) return true;
  return false;
}

// Moves those flags in front of the first flag that is none of them, each
// group keeping its order.
void reorder_code_generator_flags() {
  ArgNode* first_other = arglist_first(CodeGenFlags);
  while (first_other && goes_first(argnode_value(first_other))) first_other = argnode_next(first_other);
  if (!first_other) return;
  ArgNode* n = argnode_next(first_other);
  while (n) {
    ArgNode* following = argnode_next(n);
    if (goes_first(argnode_value(n))) {
      arglist_insert_before(CodeGenFlags, first_other, argnode_value(n));
      arglist_remove(CodeGenFlags, n);
    }
    n = following;
  }
}

void add_start_up_object() {
  if (!EtWinObject) return;
  arglist_prepend(LinkLibraries, install_file({"lib", "orvane_et_win.obj"}));
}

}  // namespace

void plan_link(ArgList* input_files) {
  expand_wildcards(input_files);
  check_output_name(input_files);
  if (LinkIgnoreDups) arglist_append(LinkOptions, "-ignoredups");
  add_target_kind_options();
  finish_fortran_flags();
  add_code_generator_flags();
  add_default_libraries();
  add_name_case_flag();
  reorder_code_generator_flags();
  add_start_up_object();
}
