// The linker of the GNU mode: what olink makes of the driver's options,
// objects and libraries.
#include <iterator>

#include "tools/gnu_tools.h"

namespace gnu {
namespace {

// The suite's runtime and the Windows system libraries that the driver
// names on every link. gfortran brings its own runtime, and the rest has
// no counterpart here.
const char* const SuiteLibraries[] = {
    "orvrt0", "rt9math", "rt9mdll",  "rtio",   "rtiot",  "rtiodll", "rtiotdll", "rtmath",
    "rtmathdll", "liboc", "libocdll", "wsim",  "winif",  "comdlg32", "kernel32", "user32",
    "gdi32",  "winmm",   "comctl32", "advapi32", "mcount", "ucompat", "vcompat"};

bool is_suite_library(const std::string& name) {
  std::string base = lower(base_name(name));
  return base == "orvane_et_win.obj" ||
         (ends_with(base, ".lib") && one_of(library_stem(name), SuiteLibraries, std::size(SuiteLibraries)));
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

// A suite library's name in lower case, without ".lib" and the "_x" of the _x form.
std::string library_stem(const std::string& name) {
  std::string stem = lower(base_name(name));
  if (!ends_with(stem, ".lib")) return stem;
  stem.resize(stem.size() - 4);
  if (ends_with(stem, "_x")) stem.resize(stem.size() - 2);
  return stem;
}

bool one_of(const std::string& stem, const char* const* names, size_t count) {
  for (size_t i = 0; i < count; ++i)
    if (stem == names[i]) return true;
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

std::optional<LinkRequest> read_link_request(const Args& args, std::string* error) {
  LinkRequest r;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    bool took_next = false;
    std::string for_linker = gnu_linker_argument(a, i + 1 < args.size() ? &args[i + 1] : nullptr, &took_next);
    if (starts_with(a, "-out:")) {
      r.out = a.substr(5);
      r.have_out = true;
    } else if (a == "-lib") {
      r.kind = LinkRequest::StaticLibrary;
    } else if (a == "-dll") {
      r.kind = LinkRequest::Dll;
    } else if (starts_with(a, "-PATH:") || starts_with(a, "-L")) {
      size_t at = a[1] == 'L' ? 2 : 6;
      if (a.size() > at) r.dirs.push_back(a.substr(at));
      if (at == 2) r.given_for_linker.push_back(a);
    } else if (starts_with(a, "-exports:")) {
      r.exports = a.substr(9);
    } else if (!for_linker.empty()) {
      r.linker_args.push_back(for_linker);
      r.given_for_linker.push_back(took_next ? a + " " + args[i + 1] : a);
      i += took_next;
    } else if (is_suite_option(a)) {
      r.suite_options.push_back(a);
    } else if (!a.empty() && a[0] == '-') {
      *error = "unknown option \"" + a + "\" (of the GNU linker's options it takes -l<name>, " +
               "-L<dir>, -Wl,<options>, -rpath <dir> and -v)";
      return std::nullopt;
    } else if (is_suite_library(a)) {
      r.suite_libraries.push_back(a);
    } else if (!a.empty()) {
      r.inputs.push_back(a);
    }
  }
  if (r.have_out && r.out.empty()) {
    *error = "-out: names no file";
    return std::nullopt;
  }
  if (r.kind != LinkRequest::Executable && !r.have_out) {
    *error = r.kind == LinkRequest::Dll ? "a DLL needs -out:<name>" : "a library needs -out:<name>";
    return std::nullopt;
  }
  return r;
}

LinkPlan archive_plan(const LinkRequest& r) {
  LinkPlan plan;
  plan.command = {archiver(), "rcs", r.out};
  plan.command.insert(plan.command.end(), r.inputs.begin(), r.inputs.end());
  plan.remove_before = r.out;
  plan.exports_file = r.exports;
  for (const std::string& a : r.given_for_linker)
    plan.warnings.push_back("\"" + a + "\" is for the linker; a static library is built without it");
  return plan;
}

Args gfortran_link_command(const LinkRequest& r) {
  Args command = {fortran_compiler()};
  if (r.kind == LinkRequest::Dll) command.push_back("-shared");
  if (r.have_out) command.insert(command.end(), {"-o", r.out});
  for (const std::string& dir : r.dirs) command.push_back("-L" + dir);
  for (const std::string& input : r.inputs) command.push_back(library_argument(input, r.dirs));
  // After the objects and libraries that need them, in their own order.
  command.insert(command.end(), r.linker_args.begin(), r.linker_args.end());
  return command;
}

// C++ objects need their runtime; it is linked only when they are there.
// Written as "-l stdc++" to the linker, so that CMake, which reads the
// libraries every link brings from this line (-v), does not count the
// C++ runtime among them.
const char* const CxxRuntimeAsNeeded = "-Wl,--as-needed,-l,stdc++,--no-as-needed";

std::optional<LinkPlan> plan_link(const Args& args, std::string* error) {
  std::optional<LinkRequest> request = read_link_request(args, error);
  if (!request) return std::nullopt;
  if (windows_target()) return plan_windows_link(*request, error);
  if (request->kind == LinkRequest::StaticLibrary) return archive_plan(*request);
  // The suite's own options (-ignoredups, -aliases:, -debug:, -entry:,
  // -subsystem:, -map: and the like) and its libraries have no use here.
  LinkPlan plan;
  plan.command = gfortran_link_command(*request);
  plan.command.push_back(CxxRuntimeAsNeeded);
  return plan;
}

}  // namespace gnu
