// The suite's linker options and libraries, one row each, with what the
// host's link and a Windows target's link make of them. An option of the
// suite's linker that no row holds is refused (link_request.cpp); f90(1)
// and doc/windows.md describe the same rows, and a test holds them together.
#include <iterator>

#include "tools/gnu/link.h"

namespace gnu {
namespace {

std::string value_of(const std::string& option) { return option.substr(option.find(':') + 1); }

// The output as the MinGW-w64 gcc names it: ".exe" added to a name without a suffix.
std::string windows_output(const std::string& out) {
  return out.empty() ? "a.exe" : suffix_of(out).empty() ? out + ".exe" : out;
}

// A PE header size "reserve[,commit]": numbers in decimal or 0x hexadecimal,
// at most 32 bits for a 32-bit target. As decimal text, or "" when malformed.
std::string size_pair(const std::string& value, bool wide) {
  std::vector<std::string> numbers = split(value, ',');
  if (numbers.size() > 2) return "";
  std::string out;
  for (const std::string& number : numbers) {
    bool hex = number.size() > 2 && lower(number.substr(0, 2)) == "0x";
    std::optional<unsigned long long> n =
        parse_digits(hex ? number.substr(2) : number, hex ? 16 : 10, wide ? ~0ULL : 0xFFFFFFFFULL, Beyond::Refused);
    if (!n) return "";
    out += (out.empty() ? "" : ",") + std::to_string(*n);
  }
  return out;
}

// -stack: and -heap: on Windows: those fields of the PE header.
void pe_size(const char* field, TargetLink& link, const std::string& option) {
  std::string sizes = size_pair(value_of(option), link.target.x86_64);
  if (sizes.empty())
    link.error = "malformed \"" + option + "\": expected " + option.substr(0, option.find(':') + 1) +
                 "<reserve>[,<commit>], in bytes, decimal or 0x hexadecimal";
  else
    link.flags.insert(link.flags.end(), {"-Xlinker", std::string("--") + field, "-Xlinker", sizes});
}

// A Windows system library, from the MinGW-w64 import libraries.
void system_library(TargetLink& link, const std::string& given) {
  link.system_libraries.push_back("-l" + library_stem(given));
}
// The suite's runtime as DLLs: gfortran's runtime DLLs instead of its static runtime.
void runtime_dlls(TargetLink& link, const std::string&) { link.runtime_dlls = true; }

// Nothing on the host: a Linux program has no use for any of them, and
// gfortran brings its own runtime.
const LinkOption LinkOptions[] = {
    // Options of the suite's linker; the driver writes most of them on every link.
    {"-stack:", nullptr, [](TargetLink& l, const std::string& o) { pe_size("stack", l, o); }},
    {"-heap:", nullptr, [](TargetLink& l, const std::string& o) { pe_size("heap", l, o); }},
    {"-map:", nullptr,
     [](TargetLink& l, const std::string& o) {
       // -map: alone: the output's name with ".map".
       std::string map = value_of(o);
       if (map.empty()) map = without_suffix(windows_output(l.request.out)) + ".map";
       l.flags.push_back("-Wl,-Map=" + map);
       l.map = map;
     }},
    {"-subsystem:", nullptr,
     [](TargetLink& l, const std::string& o) { l.flags.push_back("-Wl,--subsystem," + lower(value_of(o))); }},
    {"-entry:", nullptr,
     [](TargetLink& l, const std::string& o) {
       // The entry as a 32-bit program names it; 64-bit C names have no leading underscore.
       std::string symbol = value_of(o);
       if (l.target.x86_64 && starts_with(symbol, "_")) symbol.erase(0, 1);
       l.flags.push_back("-Wl,--entry," + symbol);
     }},
    // Without it a duplicate definition is an error.
    {"-ignoredups", nullptr,
     [](TargetLink& l, const std::string&) { l.flags.push_back("-Wl,--allow-multiple-definition"); }},
    {"-unmanglexps", nullptr, [](TargetLink& l, const std::string&) { l.unmangle = true; }},
    {"-UNMANGLEXPS", nullptr, [](TargetLink& l, const std::string&) { l.unmangle = true; }},
    // Without it the program is stripped.
    {"-debug:", nullptr, [](TargetLink& l, const std::string&) { l.keep_debug = true; }},
    // Nothing more than -debug:.
    {"-debugtype:", nullptr, [](TargetLink&, const std::string&) {}},
    {"-verbose", nullptr, [](TargetLink& l, const std::string&) { l.flags.push_back("-Wl,--trace"); }},
    // No counterpart: the alias files do not exist here, and the linker keeps
    // no temporary files to choose.
    {"-aliases:", nullptr, nullptr},
    {"-usetmpfiles", nullptr, nullptr},
    {"-warn", nullptr, nullptr},
    // The Windows system libraries.
    {"kernel32.lib", nullptr, system_library},
    {"user32.lib", nullptr, system_library},
    {"gdi32.lib", nullptr, system_library},
    {"winmm.lib", nullptr, system_library},
    {"comctl32.lib", nullptr, system_library},
    {"advapi32.lib", nullptr, system_library},
    {"comdlg32.lib", nullptr, system_library},
    // The suite's runtime: gfortran's, linked in (-static unless a DLL row is there).
    {"orvrt0.lib", nullptr, [](TargetLink&, const std::string&) {}},
    {"rt9math.lib", nullptr, [](TargetLink&, const std::string&) {}},
    {"rtio.lib", nullptr, [](TargetLink&, const std::string&) {}},
    {"rtiot.lib", nullptr, [](TargetLink&, const std::string&) {}},
    {"rtmath.lib", nullptr, [](TargetLink&, const std::string&) {}},
    {"liboc.lib", nullptr, [](TargetLink&, const std::string&) {}},
    // The runtime as DLLs (-usedll, -usesl, -fdll).
    {"rt9mdll.lib", nullptr, runtime_dlls},
    {"rtiodll.lib", nullptr, runtime_dlls},
    {"rtiotdll.lib", nullptr, runtime_dlls},
    {"rtmathdll.lib", nullptr, runtime_dlls},
    {"libocdll.lib", nullptr, runtime_dlls},
    // The suite's own libraries and start-up object: no counterpart.
    {"wsim.lib", nullptr, nullptr},
    {"winif.lib", nullptr, nullptr},
    {"mcount.lib", nullptr, nullptr},
    {"ucompat.lib", nullptr, nullptr},
    {"vcompat.lib", nullptr, nullptr},
    {"orvane_et_win.obj", nullptr, nullptr},
};

}  // namespace

const LinkOption* find_link_option(const std::string& given) {
  bool option = !given.empty() && given[0] == '-';
  // A library by its stem (any case, the _x form too); the start-up object by its name.
  std::string file = lower(base_name(given));
  if (!option && ends_with(file, ".lib")) file = library_stem(given) + ".lib";
  for (const LinkOption& row : LinkOptions) {
    std::string name = row.name;
    if ((name[0] == '-') != option) continue;
    bool match = !option ? file == name : name.back() == ':' ? starts_with(given, row.name) : given == name;
    if (match) return &row;
  }
  return nullptr;
}

void apply_link_options(TargetLink& link, LinkEffect LinkOption::*column) {
  for (const Args* given : {&link.request.suite_options, &link.request.suite_libraries})
    for (const std::string& g : *given) {
      const LinkOption* row = find_link_option(g);
      if (row && row->*column) (row->*column)(link, g);
    }
}

std::vector<LinkOption> link_option_rows() { return {std::begin(LinkOptions), std::end(LinkOptions)}; }

}  // namespace gnu
