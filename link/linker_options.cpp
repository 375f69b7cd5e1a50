// The linker options: library files, the target kinds, options handed to
// olink, the suite's and numerical libraries, and a few options whose
// settings belong to other stages. Each option is one row of its letter's
// table; within a letter the rows are tried in order.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "driver/handlers.h"
#include "driver/option_text.h"
#include "driver/settings.h"
#include "fortran_opts/option_table.h"
#include "link/cpu.h"

namespace {

constexpr size_t LinkDirMax = 260;

// The link kinds replace each other but never a compile-only kind.
void set_link_kind(int kind) {
  if (TargetKind > KindObjects) TargetKind = kind;
}

bool link_option_as_written(const char* a, const char*) {
  arglist_append(LinkOptions, a);
  return true;
}

template <int Kind>
bool link_kind(const char*, const char*) {
  set_link_kind(Kind);
  return true;
}

template <int* Setting, int Value>
bool set_setting(const char*, const char*) {
  *Setting = Value;
  return true;
}

// Adds the debug options to the linker and leaves the argument to the
// Fortran and general options.
bool link_debug_full(const char*, const char*) {
  arglist_append(LinkOptions, "-debug:full");
  arglist_append(LinkOptions, "-debugtype:both");
  return false;
}

bool link_profile(const char* a, const char* v) {
  link_debug_full(a, v);
  arglist_append(LinkLibraries, "mcount.lib");
  return false;
}

template <const char* const* Names, size_t Count>
bool add_libraries(const char*, const char*) {
  for (size_t i = 0; i < Count; ++i) arglist_append(LinkLibraries, Names[i]);
  return true;
}

constexpr const char* Blas[] = {"blas.lib"};
constexpr const char* ImslBlas[] = {"imslblas.lib"};
constexpr const char* Atlas[] = {"f77blas.lib", "cblas.lib", "atlas.lib"};
constexpr const char* Imsl[] = {"imsl.lib"};
constexpr const char* Ucompat[] = {"ucompat.lib"};
constexpr const char* Lapack[] = {"tmglib.lib", "lapack.lib"};
constexpr const char* Vcompat[] = {"vcompat.lib"};

struct CpuName {
  const char* name;
  int code;
};
constexpr CpuName CpuNames[] = {
    {"486", CpuNone}, {"p5", CpuNone},       {"p6", CpuP6},
    {"p7", CpuP7},    {"athlon", CpuAthlon}, {"athlon64", CpuAthlon64},
};

bool known_cpu(const char* value) {
  if (std::strcmp(value, "host") == 0) return true;
  for (const CpuName& c : CpuNames)
    if (std::strcmp(value, c.name) == 0) return true;
  return false;
}

bool choose_cpu(const char*, const char* value) {
  if (std::strcmp(value, "host") == 0) {
    TargetCpu = detect_target_cpu();
    return true;
  }
  for (const CpuName& c : CpuNames)
    if (std::strcmp(value, c.name) == 0) TargetCpu = c.code;
  return true;
}

bool link_path(const char*, const char* dir) {
  std::string flag = "-PATH:";
  flag.append(dir, std::min(std::strlen(dir), LinkDirMax));
  arglist_append(LinkOptions, flag);
  return true;
}

bool link_pass_through(const char*, const char* b) {
  arglist_append(LinkOptions, b);
  return true;
}

bool is_msvc(const char* b) { return std::strcmp(b, "MSVC") == 0; }
bool is_other_language(const char* b) {
  return std::strcmp(b, "BC") == 0 || std::strcmp(b, "BD") == 0 || std::strcmp(b, "MSVB") == 0;
}

bool interface_language(const char*, const char* b) {
  arglist_append(FrontEndFlags, std::string("-YIL=") + b);
  if (!is_msvc(b)) arglist_append(LinkOptions, "-UNMANGLEXPS");
  return true;
}

bool output_name(const char*, const char* name) {
  set_output_name(name);
  return true;
}

bool plplot(const char*, const char*) {
  arglist_append(LinkLibraries, "plplot.lib");
  if (TargetKind == KindConsoleExe) TargetKind = KindPlainAppl;
  return true;
}

bool link_debug_partial(const char*, const char*) {
  arglist_append(LinkOptions, "-debug:partial");
  arglist_append(LinkOptions, "-debugtype:both");
  return false;
}

bool dry_run(const char*, const char*) {
  DryRun = 1;
  return false;  // the general options set Verbose as well
}

bool code_gen_n103(const char*, const char*) {
  arglist_append(CodeGenFlags, "-N103");
  return true;
}

bool link_option_kept(const char* a, const char*) {
  arglist_append(LinkOptions, a);
  return false;  // the general options still see -verbose
}

#define ROWS(name, ...) const FortranOption name[] = {__VA_ARGS__};
ROWS(A, {"aliases:", Form::Rest, nullptr, link_option_as_written},
     {"autoxps", Form::Exact, nullptr, set_setting<&AutoExports, 1>})
ROWS(B, {"blas", Form::Exact, nullptr, add_libraries<Blas, 1>},
     {"blas=lapack", Form::Exact, nullptr, add_libraries<Blas, 1>},
     {"blas=imsl", Form::Exact, nullptr, add_libraries<ImslBlas, 1>},
     {"blas=atlas", Form::Exact, nullptr, add_libraries<Atlas, 3>})
ROWS(C, {"cpu:", Form::Rest, known_cpu, choose_cpu},
     {"cons", Form::Exact, nullptr, link_kind<KindConsoleExe>})
ROWS(D, {"dll", Form::Exact, nullptr, link_kind<KindDll>},
     {"doto", Form::Exact, nullptr, set_setting<&ObjectSuffixDotO, 1>},
     {"dryrun", Form::Exact, nullptr, dry_run})
ROWS(E, {"et", Form::Exact, nullptr, set_setting<&EtWinObject, 1>},
     {"exports:", Form::Rest, nullptr, link_option_as_written})
ROWS(G, {"gmin", Form::Exact, nullptr, link_debug_partial},
     {"g", Form::Exact, nullptr, link_debug_full},
     {"gfull", Form::Exact, nullptr, link_debug_full})
ROWS(H, {"heap:", Form::Rest, nullptr, link_option_as_written})
ROWS(I, {"ignoredups", Form::Exact, nullptr, link_option_as_written},
     {"imsl", Form::Exact, nullptr, add_libraries<Imsl, 1>})
ROWS(UpperL, {"L", Form::Attached, nullptr, link_path},
     {"L", Form::Separate, nullptr, link_path})
ROWS(L, {"lib", Form::Exact, nullptr, link_kind<KindStaticLib>},
     {"link", Form::Separate, nullptr, link_pass_through})
ROWS(M, {"map:", Form::Rest, nullptr, link_option_as_written})
ROWS(UpperM, {"ML", Form::Separate, is_msvc, interface_language},
     {"ML", Form::Separate, is_other_language, interface_language})
ROWS(UpperN, {"N9", Form::Exact, nullptr, code_gen_n103},
     {"NOWDIR", Form::Exact, nullptr, set_setting<&ModulesToOutputDir, 1>})
ROWS(N, {"noconsole", Form::Exact, nullptr, taken},
     {"nowdir", Form::Exact, nullptr, set_setting<&ModulesToOutputDir, 1>},
     {"nosse2", Form::Exact, nullptr, set_setting<&Sse2Mode, -1>})
ROWS(O, {"out:", Form::Rest, nullptr, output_name})
ROWS(UpperP, {"P", Form::Exact, nullptr, link_profile})
ROWS(P, {"plainappl", Form::Exact, nullptr, link_kind<KindPlainAppl>},
     {"plplot", Form::Exact, nullptr, plplot},
     {"profile", Form::Exact, nullptr, link_profile})
ROWS(R, {"reportDups", Form::Exact, nullptr, set_setting<&LinkIgnoreDups, 0>})
ROWS(S, {"sse2", Form::Exact, nullptr, set_setting<&Sse2Mode, 1>},
     {"stack:", Form::Rest, nullptr, link_option_as_written})
ROWS(T, {"tsafeio", Form::Exact, nullptr, set_setting<&ThreadSafeIO, 1>})
ROWS(U, {"unmanglexps", Form::Exact, nullptr, link_option_as_written},
     {"usedll", Form::Exact, nullptr, set_setting<&UseDllRuntime, 1>},
     {"usesl", Form::Exact, nullptr, set_setting<&UseDllRuntime, 1>},
     {"usetmpfiles", Form::Exact, nullptr, link_option_as_written},
     {"unixlib", Form::Exact, nullptr, add_libraries<Ucompat, 1>},
     {"useLapack", Form::Exact, nullptr, add_libraries<Lapack, 2>})
ROWS(V, {"verbose", Form::Exact, nullptr, link_option_kept},
     {"vmslib", Form::Exact, nullptr, add_libraries<Vcompat, 1>})
ROWS(W, {"warn", Form::Exact, nullptr, link_option_as_written},
     {"wsim", Form::Exact, nullptr, link_kind<KindWsimAppl>})
#undef ROWS

#define TABLE(letter, rows) {letter, rows, std::size(rows)}
const OptionTable LinkerTables[] = {
    TABLE('a', A), TABLE('b', B),      TABLE('c', C),      TABLE('d', D),      TABLE('e', E),
    TABLE('g', G), TABLE('h', H),      TABLE('i', I),      TABLE('L', UpperL), TABLE('l', L),
    TABLE('m', M), TABLE('M', UpperM), TABLE('N', UpperN), TABLE('n', N),      TABLE('o', O),
    TABLE('P', UpperP), TABLE('p', P), TABLE('r', R),      TABLE('s', S),      TABLE('t', T),
    TABLE('u', U), TABLE('v', V),      TABLE('w', W),
};
#undef TABLE

bool ends_with_any_case(const char* s, size_t len, const char* tail) {
  size_t t = std::strlen(tail);
  return len >= t && equal_any_case(s + len - t, tail);
}

// A library named on the command line: more than four characters, ending
// in ".lib" or ".a" in any case. Taken whether or not the file exists.
bool is_library_file(const char* a) {
  size_t len = std::strlen(a);
  return len > 4 && (ends_with_any_case(a, len, ".lib") || ends_with_any_case(a, len, ".a"));
}

}  // namespace

const OptionFamily LinkerOptionTables = {LinkerTables, std::size(LinkerTables)};

void handle_linker_option(ArgList* args) {
  ArgNode* head = arglist_first(args);
  if (!head) return;
  const char* a = argnode_value(head);
  if (a[0] == '\0') return;
  if (!is_prefix_char(a[0])) {
    if (is_library_file(a)) {
      arglist_append(LinkLibraries, a);
      arglist_remove_first(args);
    }
    return;
  }
  if (is_plus_prefix(a[0])) return;
  for (const OptionTable& table : LinkerTables)
    if (table.letter == a[1]) {
      apply_option_table(table, args);
      return;
    }
}
