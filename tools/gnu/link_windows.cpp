// The link for a Windows target (i686-w64-mingw32 or x86_64-w64-mingw32):
// PE programs, DLLs with their import libraries and archives, made with the
// target's MinGW-w64 gfortran, ar and dlltool. What each of the suite's
// options and libraries becomes is in link_options.cpp.
#include "tools/gnu/link.h"

namespace gnu {
namespace {

// dlltool writing the export list of every public symbol of the objects.
Args list_exports(const Target& target, const LinkRequest& r, const std::string& list) {
  Args command = {target.dlltool, "--export-all-symbols", "-z", list};
  for (const std::string& input : r.inputs)
    if (lower(suffix_of(input)) != "lib" && lower(suffix_of(input)) != "a") command.push_back(input);
  return command;
}

}  // namespace

std::optional<LinkPlan> plan_windows_link(const Target& target, const LinkRequest& r, std::string* error) {
  LinkPlan plan;
  if (r.kind == LinkRequest::StaticLibrary) {
    plan = archive_plan(target, r);
    plan.made = {r.out};
    if (!r.exports.empty()) {
      // The export pass of -autoxps: the list of every public symbol.
      plan.list_exports = list_exports(target, r, r.exports);
      plan.private_tmpdir = true;  // dlltool leaves empty temporary files behind
    }
    return plan;
  }
  TargetLink link{target, r};
  apply_link_options(link, &LinkOption::windows);
  if (!link.error.empty()) {
    *error = link.error;
    return std::nullopt;
  }

  Args command = gfortran_link_command(target, r);
  command.insert(command.end(), link.system_libraries.begin(), link.system_libraries.end());
  // The output as the MinGW-w64 gcc names it: ".exe" added to a name without a suffix.
  std::string out = r.out.empty() ? "a.exe" : suffix_of(r.out).empty() ? r.out + ".exe" : r.out;
  std::string implib = without_suffix(r.out) + ".lib";
  bool dll = r.kind == LinkRequest::Dll, unmangled = dll && link.unmangle;
  // The export list as the linker takes it, with the decorated names of
  // stdcall functions: for a DLL exported without them, also made for the
  // import library when none is given.
  std::string def = r.exports;
  if (def.empty() && unmangled) {
    def = implib + ".def";
    plan.steps.push_back(list_exports(target, r, def));
    plan.scratch.push_back(def);
    plan.private_tmpdir = true;
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
  if (!def.empty()) command.push_back(def);
  command.insert(command.end(), link.flags.begin(), link.flags.end());
  if (!link.runtime_dlls) command.push_back("-static");
  if (!link.keep_debug) command.push_back("-s");
  plan.made.push_back(out);
  if (!link.map.empty()) plan.made.push_back(link.map);
  Args import_library;
  if (dll) {
    // Only what the objects define is exported, not the runtime linked in.
    command.push_back("-Wl,--exclude-libs,ALL");
    if (implib != out) plan.made.push_back(implib);
    if (unmangled) {
      // The DLL exports "name", its import library still gives callers "name@n".
      command.push_back("-Wl,--kill-at");
      if (implib != out) import_library = {target.dlltool, "-k", "-d", def, "-D", base_name(out), "-l", implib};
    } else if (implib != out) {
      command.push_back("-Wl,--out-implib," + implib);
    }
  }
  command.push_back(CxxRuntimeAsNeeded);
  plan.steps.push_back(command);
  mark_link_step(r, &plan);
  if (!import_library.empty()) {
    plan.steps.push_back(import_library);
    plan.private_tmpdir = true;
  }
  return plan;
}

}  // namespace gnu
