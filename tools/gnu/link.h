// The linker of the GNU mode: what olink makes of the driver's options,
// objects and libraries, for the host (link_host.cpp) or a Windows target
// (link_windows.cpp). f90(1), under THE LINK ON EACH TARGET, and
// doc/windows.md say what each option and library becomes; the table in
// link_options.cpp is where the code says it, one row each.
#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tools/gnu/files.h"
#include "tools/gnu/target.h"

namespace gnu {

// What olink was asked for, read the same way for every target.
struct LinkRequest {
  enum Kind { Executable, StaticLibrary, Dll } kind = Executable;
  std::string out;        // the -out: file; empty when none is given
  std::string exports;    // the -exports: file
  Args dirs;              // -PATH: and -L directories
  Args inputs;            // objects and libraries, without the suite's own
  Args suite_libraries;   // the suite's runtime and the Windows system libraries, as named
  Args linker_args;       // what -link handed on for the GNU linker, as gfortran takes it
  Args given_for_linker;  // the same, as olink got it
  Args suite_options;     // the suite's own linker options, in order
};
std::optional<LinkRequest> read_link_request(const Args& args, std::string* error);
// A suite library's name in lower case, without ".lib" and the "_x" of the _x form.
std::string library_stem(const std::string& name);

// What a target's link makes of the suite's options and libraries, gathered
// while their rows are applied.
struct TargetLink {
  TargetLink(const Target& t, const LinkRequest& r) : target(t), request(r) {}
  const Target& target;
  const LinkRequest& request;
  Args flags;             // for the GNU linker, after the objects and libraries
  Args system_libraries;  // -l<name>, after those
  bool keep_debug = false;    // the program keeps its debug information
  bool unmangle = false;      // a DLL exports stdcall names without "@n"
  bool runtime_dlls = false;  // the runtime as DLLs, not linked in
  std::string map;            // the link map made, if any
  std::string error;          // a malformed option: the link ends
};
using LinkEffect = void (*)(TargetLink& link, const std::string& given);
// A row of the suite's linker options and libraries: the option (ending in
// ':' when a value follows) or the library's file name, and what each
// target's link does with it; null: nothing, the option is left out there.
struct LinkOption {
  const char* name;
  LinkEffect host;
  LinkEffect windows;
};
// The row of an option or a library of the suite; null when none holds it.
const LinkOption* find_link_option(const std::string& given);
// Applies the rows of the request's suite options and libraries, in their
// order, for one target's column.
void apply_link_options(TargetLink& link, LinkEffect LinkOption::*column);
// The table's rows, for the documentation test.
std::vector<LinkOption> link_option_rows();

// What olink runs: the steps in turn, the first that fails ending the link.
struct LinkPlan {
  std::string remove_before;  // an archive is built afresh
  // Files copied before the steps (from, to).
  std::vector<std::pair<std::string, std::string>> copies;
  std::vector<Args> steps;
  Args made;     // what the link makes, removed when it fails
  Args scratch;  // files made for the link alone, removed after it
  // The steps leave temporary files behind: they get a TMPDIR of their own.
  bool private_tmpdir = false;
  // To leave after a library is built, when not there yet: written by
  // `list_exports`, else a placeholder.
  std::string exports_file;
  Args list_exports;
  std::vector<std::string> warnings;
  // The step that links the objects and libraries, which the aliases of
  // external names join (naming.h), and those inputs: files, and "-l"
  // libraries to find in `library_dirs` and the compiler's own.
  std::optional<size_t> link_step;
  Args link_inputs, library_dirs;
};
// The link for the installed target (link_common.cpp).
std::optional<LinkPlan> plan_link(const Target& target, const Args& args, std::string* error);
std::optional<LinkPlan> plan_host_link(const Target& target, const LinkRequest& request, std::string* error);
std::optional<LinkPlan> plan_windows_link(const Target& target, const LinkRequest& request, std::string* error);

// The steps the targets share (link_common.cpp).
// A library argument as the GNU linker takes it.
std::string library_argument(const std::string& name, const Args& dirs);
// ar building the archive of the request's objects.
LinkPlan archive_plan(const Target& target, const LinkRequest& request);
// gfortran with the objects, libraries and -link arguments of the request.
Args gfortran_link_command(const Target& target, const LinkRequest& request);
// Where a link's step stands in `plan` and what it reads, for its aliases.
void mark_link_step(const LinkRequest& request, LinkPlan* plan);
// C++ objects need their runtime; it is linked only when they are there.
extern const char* const CxxRuntimeAsNeeded;

}  // namespace gnu
