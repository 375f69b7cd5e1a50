// The linker of the GNU mode: what olink makes of the driver's options,
// objects and libraries.
#include "tools/gnu_tools.h"

namespace gnu {
namespace {

bool starts_with(const std::string& text, const char* prefix) {
  return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

bool ends_with(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

std::string base_name(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The suite's runtime and the Windows system libraries that the driver
// names on every link. gfortran brings its own runtime, and the rest has
// no counterpart here.
const char* const SuiteLibraries[] = {
    "orvrt0", "rt9math", "rt9mdll",  "rtio",   "rtiot",  "rtiodll", "rtiotdll", "rtmath",
    "rtmathdll", "liboc", "libocdll", "wsim",  "winif",  "comdlg32", "kernel32", "user32",
    "gdi32",  "winmm",   "comctl32", "advapi32", "mcount", "ucompat", "vcompat"};

bool is_suite_library(const std::string& name) {
  std::string base = lower(base_name(name));
  if (base == "orvane_et_win.obj") return true;
  if (!ends_with(base, ".lib")) return false;
  std::string stem = base.substr(0, base.size() - 4);
  if (ends_with(stem, "_x")) stem.resize(stem.size() - 2);
  for (const char* known : SuiteLibraries)
    if (stem == known) return true;
  return false;
}

// A library named without a directory that is not a file here: found in a
// -PATH: directory, else handed to the linker to search by name.
std::string library_argument(const std::string& name, const Args& dirs) {
  std::string low = lower(name);
  bool lib = ends_with(low, ".lib"), archive = ends_with(low, ".a");
  if (!(lib || archive) || is_file(name) || name.find('/') != std::string::npos) return name;
  for (const std::string& dir : dirs)
    if (is_file(dir + "/" + name)) return dir + "/" + name;
  if (archive) return "-l:" + name;
  std::string stem = name.substr(0, name.size() - 4);
  return stem.empty() ? name : "-l" + stem;
}

// Options of the suite's linker that the GNU linker has no use for; the
// driver writes most of them on every link.
const char* const SuiteOptions[] = {"-ignoredups", "-unmanglexps", "-UNMANGLEXPS", "-usetmpfiles",
                                    "-verbose",    "-warn"};
const char* const SuiteOptionPrefixes[] = {"-aliases:", "-debug:", "-debugtype:", "-entry:",
                                           "-heap:",    "-map:",   "-stack:",     "-subsystem:"};

bool is_suite_option(const std::string& a) {
  for (const char* known : SuiteOptions)
    if (a == known) return true;
  for (const char* prefix : SuiteOptionPrefixes)
    if (starts_with(a, prefix)) return true;
  return false;
}

// What -link hands on for the GNU linker, in the form gfortran takes it, or
// "" when `a` is none of that. `next` is the argument after `a` (or null);
// `*took_next` is set when it was the directory of -rpath.
std::string gnu_linker_argument(const std::string& a, const std::string* next, bool* took_next) {
  if ((starts_with(a, "-l") && a.size() > 2) || (starts_with(a, "-Wl,") && a.size() > 4) || a == "-v")
    return a;
  if (starts_with(a, "-rpath=") && a.size() > 7) return "-Wl,-rpath," + a.substr(7);
  if (a == "-rpath" && next && !next->empty() && (*next)[0] != '-') {
    *took_next = true;
    return "-Wl,-rpath," + *next;
  }
  return "";
}

}  // namespace

std::optional<LinkPlan> plan_link(const Args& args, std::string* error) {
  enum { Executable, StaticLibrary, Dll } kind = Executable;
  bool have_out = false;
  std::string out, exports;
  Args dirs, inputs, linker_args, given_for_linker;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    bool took_next = false;
    std::string for_linker = gnu_linker_argument(a, i + 1 < args.size() ? &args[i + 1] : nullptr, &took_next);
    if (starts_with(a, "-out:")) {
      out = a.substr(5);
      have_out = true;
    } else if (a == "-lib") {
      kind = StaticLibrary;
    } else if (a == "-dll") {
      kind = Dll;
    } else if (starts_with(a, "-PATH:") || starts_with(a, "-L")) {
      size_t at = a[1] == 'L' ? 2 : 6;
      if (a.size() > at) dirs.push_back(a.substr(at));
      if (at == 2) given_for_linker.push_back(a);
    } else if (starts_with(a, "-exports:")) {
      exports = a.substr(9);
    } else if (!for_linker.empty()) {
      linker_args.push_back(for_linker);
      given_for_linker.push_back(took_next ? a + " " + args[i + 1] : a);
      i += took_next;
    } else if (is_suite_option(a)) {
      // -ignoredups, -aliases:, -debug:, -entry:, -subsystem:, -map: and
      // the like: gfortran and ld need none of them.
    } else if (!a.empty() && a[0] == '-') {
      *error = "unknown option \"" + a + "\" (of the GNU linker's options it takes -l<name>, " +
               "-L<dir>, -Wl,<options>, -rpath <dir> and -v)";
      return std::nullopt;
    } else if (!a.empty() && !is_suite_library(a)) {
      inputs.push_back(a);
    }
  }
  if (have_out && out.empty()) {
    *error = "-out: names no file";
    return std::nullopt;
  }
  if (kind != Executable && !have_out) {
    *error = kind == Dll ? "a DLL needs -out:<name>" : "a library needs -out:<name>";
    return std::nullopt;
  }

  LinkPlan plan;
  if (kind == StaticLibrary) {
    plan.command = {archiver(), "rcs", out};
    plan.command.insert(plan.command.end(), inputs.begin(), inputs.end());
    plan.remove_before = out;
    plan.exports_file = exports;
    for (const std::string& a : given_for_linker)
      plan.warnings.push_back("\"" + a + "\" is for the linker; a static library is built without it");
    return plan;
  }
  plan.command = {fortran_compiler()};
  if (kind == Dll) plan.command.push_back("-shared");
  if (have_out) plan.command.insert(plan.command.end(), {"-o", out});
  for (const std::string& dir : dirs) plan.command.push_back("-L" + dir);
  for (const std::string& input : inputs) plan.command.push_back(library_argument(input, dirs));
  // After the objects and libraries that need them, in their own order.
  plan.command.insert(plan.command.end(), linker_args.begin(), linker_args.end());
  // C++ objects need their runtime; it is linked only when they are there.
  // Written as "-l stdc++" to the linker, so that CMake, which reads the
  // libraries every link brings from this line (-v), does not count the
  // C++ runtime among them.
  plan.command.push_back("-Wl,--as-needed,-l,stdc++,--no-as-needed");
  return plan;
}

}  // namespace gnu
