// olink's request, read the same way for every target: the output and its
// kind, the objects and libraries, what -link hands on for the GNU linker,
// and the suite's own options and libraries (link_options.cpp).
#include "tools/gnu/link.h"

namespace gnu {
namespace {

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

std::string library_stem(const std::string& name) {
  std::string stem = lower(base_name(name));
  if (!ends_with(stem, ".lib")) return stem;
  stem.resize(stem.size() - 4);
  if (ends_with(stem, "_x")) stem.resize(stem.size() - 2);
  return stem;
}

std::optional<LinkRequest> read_link_request(const Args& args, std::string* error) {
  LinkRequest r;
  bool out_given = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    bool took_next = false;
    std::string for_linker = gnu_linker_argument(a, i + 1 < args.size() ? &args[i + 1] : nullptr, &took_next);
    if (starts_with(a, "-out:")) {
      r.out = a.substr(5);
      out_given = true;
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
    } else if (!a.empty() && a[0] == '-') {
      if (!find_link_option(a)) {
        *error = "unknown option \"" + a + "\" (of the GNU linker's options it takes -l<name>, " +
                 "-L<dir>, -Wl,<options>, -rpath <dir> and -v)";
        return std::nullopt;
      }
      r.suite_options.push_back(a);
    } else if (find_link_option(a)) {
      r.suite_libraries.push_back(a);
    } else if (!a.empty()) {
      r.inputs.push_back(a);
    }
  }
  if (out_given && r.out.empty()) {
    *error = "-out: names no file";
    return std::nullopt;
  }
  if (r.kind != LinkRequest::Executable && !out_given) {
    *error = r.kind == LinkRequest::Dll ? "a DLL needs -out:<name>" : "a library needs -out:<name>";
    return std::nullopt;
  }
  return r;
}

}  // namespace gnu
