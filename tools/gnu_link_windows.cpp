// The linker of the GNU mode for a Windows target (i686-w64-mingw32 or
// x86_64-w64-mingw32): what olink makes of the driver's options with the
// MinGW-w64 tools. Beside it, gnu_link.cpp reads the request (shared by both
// targets) and links for the host.
//
// The suite's option          what the MinGW-w64 tools get
// -out:<file>                 -o <file> (a name without a suffix gets ".exe")
// -lib                        <triple>-ar rcs <file> <objects>
// -lib -exports:<file>        <triple>-dlltool --export-all-symbols -z <file> <objects>,
//                             when the file is not there yet (the export pass of -autoxps)
// -dll                        -shared -Wl,--out-implib,<name>.lib beside <name>.dll;
//                             -Wl,--exclude-libs,ALL (the runtime is not exported)
// -exports:<file>             the file, as a module-definition file (EXPORTS section)
// -stack:<reserve>[,<commit>] -Xlinker --stack -Xlinker <reserve>[,<commit>]
// -heap:<reserve>[,<commit>]  -Xlinker --heap -Xlinker <reserve>[,<commit>]
// -map:<file>                 -Wl,-Map=<file> (-map: alone: <output name>.map)
// -subsystem:<name>           -Wl,--subsystem,<name>
// -entry:<symbol>             -Wl,--entry,<symbol> (x86-64: without its leading "_")
// -ignoredups                 -Wl,--allow-multiple-definition; without it a
//                             duplicate definition is an error
// -unmanglexps, -UNMANGLEXPS  -Wl,--kill-at: the DLL exports stdcall names without
//                             "@n"; the import library, made by <triple>-dlltool -k
//                             from the export list (written by dlltool when none is
//                             given), keeps them for callers
// -debug:<any>                debug information kept; without it -s
// -debugtype:<any>            nothing more than -debug:
// -verbose                    -Wl,--trace
// -PATH:<dir>                 -L<dir>, and searched for <name>.lib
// -aliases:, -usetmpfiles,    nothing: no counterpart
//   -warn
// kernel32.lib user32.lib gdi32.lib winmm.lib comctl32.lib advapi32.lib
// comdlg32.lib                -lkernel32 -luser32 ...
// orvRT0 rt9math rtio rtmath  gfortran's runtime, linked statically: -static
//   liboc (.lib)
// rt9mdll rtiodll rtiotdll    gfortran's runtime DLLs: no -static
//   rtmathdll libocdll
// wsim winif mcount ucompat   nothing: no counterpart
//   vcompat orvane_et_win.obj
#include <cerrno>
#include <cstdlib>

#include "tools/gnu_tools.h"

namespace gnu {
namespace {

// What the options make of the link, gathered while the table is applied.
struct WindowsLink {
  const LinkRequest& request;
  Args flags;
  bool keep_debug = false;
  bool unmangle = false;
  std::string map, error;
};

// A PE header size "reserve[,commit]": numbers in decimal or 0x hexadecimal,
// at most 32 bits for a 32-bit target. As decimal text, or "" when malformed.
std::string size_pair(const std::string& value) {
  std::string out;
  size_t start = 0;
  for (int part = 0; part < 2; ++part) {
    size_t comma = value.find(',', start);
    std::string number = value.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    bool hex = number.size() > 2 && lower(number.substr(0, 2)) == "0x";
    size_t digits = number.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789", hex ? 2 : 0);
    if (number.empty() || digits != std::string::npos) return "";
    errno = 0;
    unsigned long long n = std::strtoull(number.c_str(), nullptr, hex ? 16 : 10);
    unsigned long long limit = starts_with(target(), "x86_64") ? ~0ULL : 0xFFFFFFFFULL;
    if (errno == ERANGE || n > limit) return "";
    out += (part ? "," : "") + std::to_string(n);
    if (comma == std::string::npos) return out;
    start = comma + 1;
  }
  return "";  // more than two numbers
}

void pe_size(const char* what, const std::string& option, WindowsLink& link) {
  std::string sizes = size_pair(option.substr(option.find(':') + 1));
  if (sizes.empty())
    link.error = "malformed \"" + option + "\": expected " + option.substr(0, option.find(':') + 1) +
                 "<reserve>[,<commit>], in bytes, decimal or 0x hexadecimal";
  else
    link.flags.insert(link.flags.end(), {"-Xlinker", std::string("--") + what, "-Xlinker", sizes});
}

// The output as the MinGW-w64 gcc names it: ".exe" added to a name without a suffix.
std::string made_output(const std::string& out) {
  return suffix_of(out).empty() ? out + ".exe" : out;
}

std::string without_suffix(const std::string& path) {
  std::string suffix = suffix_of(path);
  return suffix.empty() ? path : path.substr(0, path.size() - suffix.size() - 1);
}

struct Mapping {
  const char* option;  // ending in ':': the option and a value
  void (*apply)(const std::string& option, WindowsLink& link);
};

std::string value_of(const std::string& option) { return option.substr(option.find(':') + 1); }

const Mapping Mappings[] = {
    {"-stack:", [](const std::string& o, WindowsLink& l) { pe_size("stack", o, l); }},
    {"-heap:", [](const std::string& o, WindowsLink& l) { pe_size("heap", o, l); }},
    {"-map:",
     [](const std::string& o, WindowsLink& l) {
       std::string map = value_of(o), out = l.request.out.empty() ? "a.exe" : l.request.out;
       if (map.empty()) map = without_suffix(made_output(out)) + ".map";
       l.flags.push_back("-Wl,-Map=" + map);
       l.map = map;
     }},
    {"-subsystem:",
     [](const std::string& o, WindowsLink& l) { l.flags.push_back("-Wl,--subsystem," + lower(value_of(o))); }},
    {"-entry:",
     [](const std::string& o, WindowsLink& l) {
       // The entry as a 32-bit program names it; 64-bit C names have no leading underscore.
       std::string symbol = value_of(o);
       if (starts_with(target(), "x86_64") && starts_with(symbol, "_")) symbol.erase(0, 1);
       l.flags.push_back("-Wl,--entry," + symbol);
     }},
    {"-ignoredups",
     [](const std::string&, WindowsLink& l) { l.flags.push_back("-Wl,--allow-multiple-definition"); }},
    {"-unmanglexps", [](const std::string&, WindowsLink& l) { l.unmangle = true; }},
    {"-UNMANGLEXPS", [](const std::string&, WindowsLink& l) { l.unmangle = true; }},
    {"-debug:", [](const std::string&, WindowsLink& l) { l.keep_debug = true; }},
    {"-debugtype:", [](const std::string&, WindowsLink&) {}},
    {"-verbose", [](const std::string&, WindowsLink& l) { l.flags.push_back("-Wl,--trace"); }},
    {"-aliases:", [](const std::string&, WindowsLink&) {}},
    {"-usetmpfiles", [](const std::string&, WindowsLink&) {}},
    {"-warn", [](const std::string&, WindowsLink&) {}},
};

const char* const SystemLibraries[] = {"kernel32", "user32",   "gdi32",   "winmm",
                                       "comctl32", "advapi32", "comdlg32"};
const char* const RuntimeDlls[] = {"rt9mdll", "rtiodll", "rtiotdll", "rtmathdll", "libocdll"};

// dlltool writing the export list of every public symbol of the objects.
Args list_exports(const LinkRequest& r, const std::string& list) {
  Args command = {dlltool(), "--export-all-symbols", "-z", list};
  for (const std::string& input : r.inputs)
    if (lower(suffix_of(input)) != "lib" && lower(suffix_of(input)) != "a") command.push_back(input);
  return command;
}

}  // namespace

std::optional<LinkPlan> plan_windows_link(const LinkRequest& r, std::string* error) {
  LinkPlan plan;
  if (r.kind == LinkRequest::StaticLibrary) {
    plan = archive_plan(r);
    plan.made = {r.out};
    if (!r.exports.empty()) plan.list_exports = list_exports(r, r.exports);
    return plan;
  }
  WindowsLink link{r, {}, false, false, "", ""};
  for (const std::string& option : r.suite_options)
    for (const Mapping& m : Mappings) {
      std::string name = m.option;
      if (name.back() == ':' ? starts_with(option, m.option) : option == name) m.apply(option, link);
    }
  if (!link.error.empty()) {
    *error = link.error;
    return std::nullopt;
  }
  bool runtime_dlls = false;
  Args system;
  for (const std::string& library : r.suite_libraries) {
    std::string stem = library_stem(library);
    if (one_of(stem, SystemLibraries, std::size(SystemLibraries))) system.push_back("-l" + stem);
    runtime_dlls = runtime_dlls || one_of(stem, RuntimeDlls, std::size(RuntimeDlls));
  }

  plan.command = gfortran_link_command(r);
  plan.command.insert(plan.command.end(), system.begin(), system.end());
  std::string out = r.have_out ? made_output(r.out) : "a.exe";
  std::string implib = without_suffix(r.out) + ".lib";
  bool dll = r.kind == LinkRequest::Dll, unmangled = dll && link.unmangle;
  // The export list as the linker takes it, with the decorated names of
  // stdcall functions: for a DLL exported without them, also made for the
  // import library when none is given.
  std::string def = r.exports;
  if (def.empty() && unmangled) {
    def = implib + ".def";
    plan.before.push_back(list_exports(r, def));
    plan.scratch.push_back(def);
  } else if (!def.empty()) {
    if (!is_file(def)) {
      *error = "the export list \"" + def + "\" (-exports:) does not exist";
      return std::nullopt;
    }
    // The GNU linker knows a module-definition file by its suffix.
    if (lower(suffix_of(def)) != "def") {
      def += ".def";
      plan.copies.push_back({r.exports, def});
      plan.scratch.push_back(def);
    }
  }
  if (!def.empty()) plan.command.push_back(def);
  plan.command.insert(plan.command.end(), link.flags.begin(), link.flags.end());
  if (!runtime_dlls) plan.command.push_back("-static");
  if (!link.keep_debug) plan.command.push_back("-s");
  plan.made.push_back(out);
  if (!link.map.empty()) plan.made.push_back(link.map);
  if (dll) {
    // Only what the objects define is exported, not the runtime linked in.
    plan.command.push_back("-Wl,--exclude-libs,ALL");
    if (implib != out) plan.made.push_back(implib);
    if (unmangled) {
      // The DLL exports "name", its import library still gives callers "name@n".
      plan.command.push_back("-Wl,--kill-at");
      if (implib != out) plan.after.push_back({dlltool(), "-k", "-d", def, "-D", base_name(out), "-l", implib});
    } else if (implib != out) {
      plan.command.push_back("-Wl,--out-implib," + implib);
    }
  }
  plan.command.push_back(CxxRuntimeAsNeeded);
  return plan;
}

}  // namespace gnu
