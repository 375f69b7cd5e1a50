// Internals of the stand-ins' GNU mode, shared by its files and its tests.
//
// The chain of a Fortran source, compiled once by gfortran:
// - `ftfront` compiles the source to an object of its own beside the ".bif"
//   file, with the flags of its options and the flags that it expects the
//   later steps to add (those the code generator used for the source before
//   it in the same run, else those it used in an earlier run whose front end
//   saw the same, else a guess from the front end's flags), running
//   gfortran's own steps itself once it has learnt them. That compile
//   is the check (an error ends the step), writes the module files that a
//   later source of the run uses, and its diagnostics are kept in the ".bif"
//   file, not shown yet. With "-dB" (-syntax) nothing follows the front end:
//   it only checks, with `gfortran -fsyntax-only`, and shows what it finds.
// - `ixform` copies the ".bif" file into the ".int" file and adds the flags
//   of its own options.
// - `ocgen` works out the flags of the object asked for; when they are those
//   of the front end's object and the source is unchanged, that object
//   becomes the one asked for and the kept diagnostics are shown. Otherwise
//   it compiles the source again with its own flags, showing what gfortran
//   prints. Either way every diagnostic is shown once, from a compile with
//   the object's own flags. It leaves its flags for the next source of the
//   run and, in the tools' cache, for later runs (gnu_learnt_flags.cpp).
// `OCC` compiles C and C++ with gcc and g++; `olink` links with gfortran or
// builds an archive with ar. For a Windows target (target()) every one of
// them is the MinGW-w64 program of that target, and olink maps the Windows
// linker's options (gnu_link_windows.cpp).
#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace gnu {

using Args = std::vector<std::string>;

// What the front end hands on to the later steps.
struct Unit {
  std::string source;     // the Fortran source as the user named it
  std::string directory;  // absolute: where `source` was named (the front end's directory)
  std::string language;   // gfortran's -x value: "f95" or "f95-cpp-input"
  Args flags;             // gfortran flags of the front end's options, in order
  Args later_flags;       // gfortran flags added by the transformer
  // The front end's object (absolute; empty when there is none), the flags
  // beyond `flags` it was compiled with, the source's `source_stamp` then,
  // and what gfortran printed while compiling it.
  std::string object;
  Args object_flags;
  std::string stamp;
  std::string diagnostics;
  // What the front end saw, under which the code generator keeps its flags
  // for later runs (`learnt_flags_key`); empty for none.
  std::string learnt_key;
};

// The two intermediate files: the front end's ".bif" and the transformer's
// ".int". Each starts with a line of its own, so that neither is taken for
// the other or for a file of the recording mode.
enum class UnitKind { FrontEnd, Transformed };

std::string format_unit(UnitKind kind, const Unit& unit);
// Empty when the text is not a well-formed file of that kind.
std::optional<Unit> parse_unit(UnitKind kind, const std::string& text);

// A program the tools run, as an argument vector (program first).
struct Plan {
  Args command;
};

// Front end: the check to run and the unit to write when it passes.
struct FrontEndPlan {
  Args check;                  // gfortran -fsyntax-only
  Unit unit;
  std::string output;          // the ".bif" file
  bool check_only = false;     // "-dB": no later step follows
  Args guessed_later_flags;    // what the later steps are likely to add
  std::vector<std::string> warnings;
};
std::optional<FrontEndPlan> plan_front_end(const Args& args, std::string* error);
// The front end's own object, beside its ".bif" file; no name the driver
// derives ends like it.
std::string front_end_object(const std::string& bif);
// Where the code generator leaves the flags it added, for the front end of
// the next source of the run: the directory of its input, which the driver
// shares with the front end's output.
std::string later_flags_file(const std::string& intermediate_file);
// That file's text: the flags, one a line, escaped as in the unit files.
std::string format_flag_list(const Args& flags);
std::optional<Args> parse_flag_list(const std::string& text);

// The later steps' flags kept between runs, in the tools' cache directory
// ($XDG_CACHE_HOME, else ~/.cache, then "orvane-f90"): see gnu_learnt_flags.cpp.
// The key: the front end's current directory and its arguments but the last two.
std::string learnt_flags_key(const Args& front_end_args);
// The file kept for a key; empty when there is no cache directory.
std::string learnt_flags_path(const std::string& key);
// The cache's file "<kind><hash of the key>".
std::string cache_file(const std::string& kind, const std::string& key);
std::string format_learnt_flags(const std::string& key, const Args& flags);
// Empty unless the text was written for `key` and holds only flags that the
// later steps add (`plausible_later_flags`).
std::optional<Args> parse_learnt_flags(const std::string& key, const std::string& text);
bool plausible_later_flags(const Args& flags);
std::optional<Args> recall_later_flags(const std::string& key);
// Keeps the flags for the key unless they are kept already; a file that
// cannot be written only costs time.
void remember_later_flags(const std::string& key, const Args& flags);

// The front end's compile run as the steps gfortran itself would run
// (gnu_direct_compile.cpp). A step: the NAME=VALUE assignments gfortran makes
// before it, and its command.
struct CompileStep {
  Args environment;
  Args command;
  bool operator==(const CompileStep& other) const {
    return environment == other.environment && command == other.command;
  }
};
using CompileSteps = std::vector<CompileStep>;
// The steps `gfortran -###` lists; empty when it lists none or a line cannot be read.
std::optional<CompileSteps> parse_driver_listing(const std::string& text);
// What was learnt for a command shape: the programs' stamps, the temporary
// files named in the steps, and the steps with placeholder names.
struct DirectCompile {
  Args stamps;
  Args temporaries;
  CompileSteps steps;
};
// The names put in: the source as the command names it, the object's
// directory and stem (the object is "<directory>/<stem>.bif.object"), and
// a file for each of the lesson's temporaries.
struct DirectNames {
  std::string source, directory, stem;
  Args temporaries;
};
CompileSteps instantiate(const DirectCompile& lesson, const DirectNames& names);
// The kept text; a lesson of none says that the shape does not go directly.
std::string format_lesson(const std::string& key, const std::optional<DirectCompile>& lesson);
std::optional<std::optional<DirectCompile>> parse_lesson(const std::string& key, const std::string& text);
// Printable, without blanks, quotes, backslashes or dollars: a name that
// gfortran lists as it is.
bool plain_name(const std::string& name);
enum class DirectResult { NotTried, Compiled, Failed };
// Runs the front end's gfortran command as gfortran's steps when it can;
// Failed leaves neither the object nor a temporary file.
DirectResult compile_directly(const Args& command, const std::string& capture, std::string* diagnostics);

// Transformer: its own flags, the ".bif" file to read, the ".int" to write.
struct TransformPlan {
  Args flags;
  std::string input, output;
};
std::optional<TransformPlan> plan_transformer(const Args& args, std::string* error);
// Adds the gfortran flags of the transformer's own options to `unit`.
void apply_transformer_flags(const Args& flags, Unit* unit);

// Code generator: the arguments are known before the ".int" file is read.
struct CodeGenArgs {
  Args flags;
  std::string object, input;
};
std::optional<CodeGenArgs> parse_code_generator_args(const Args& args, std::string* error);
// All that the transformer and the code generator add to the unit's flags.
Args code_generator_later_flags(const CodeGenArgs& args, const Unit& unit);
// Whether the front end's object is the one that compiling with `later`
// would make now that the source has the stamp `stamp_now`.
bool front_end_object_fits(const Unit& unit, const Args& later, const std::string& stamp_now);

// gfortran compiling the unit's source with `later` after the unit's flags.
Args compile_command(const Unit& unit, const Args& later, const std::string& object);
// The source as the compile names it: as the user wrote it, unless the step
// runs in another directory than the front end did.
std::string source_argument(const Unit& unit);
// The size and modification time of a file, as text; empty when it is not there.
std::string source_stamp(const std::string& path);

std::optional<Plan> plan_c_compiler(const Args& args, std::string* error);

// Linker: an executable or a DLL with gfortran, or a static library with ar.
struct LinkPlan {
  Args command;
  std::string remove_before;  // an archive is built afresh
  std::string exports_file;   // to leave after a library is built, when not there yet:
  Args list_exports;          // written by this command, else a placeholder
  std::vector<Args> before, after;  // commands run before and after `command`
  Args made;                  // what the link makes, removed when it fails
  // Files copied before the link (from, to), and all files made for the
  // link alone: removed after it.
  std::vector<std::pair<std::string, std::string>> copies;
  Args scratch;
  std::vector<std::string> warnings;
};
std::optional<LinkPlan> plan_link(const Args& args, std::string* error);

// What olink was asked for, read the same way for every target.
struct LinkRequest {
  enum Kind { Executable, StaticLibrary, Dll } kind = Executable;
  bool have_out = false;
  std::string out, exports;
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
bool one_of(const std::string& stem, const char* const* names, size_t count);
// A library argument as the GNU linker takes it (see gnu_link.cpp).
std::string library_argument(const std::string& name, const Args& dirs);
LinkPlan archive_plan(const LinkRequest& request);
// gfortran with the objects, libraries and -link arguments of the request.
Args gfortran_link_command(const LinkRequest& request);
extern const char* const CxxRuntimeAsNeeded;
// The link for a Windows target (gnu_link_windows.cpp).
std::optional<LinkPlan> plan_windows_link(const LinkRequest& request, std::string* error);

// The target's triple: F90_GNU_TARGET when set, else the content of the
// "gnu-mode" file beside the tool; empty for the host.
std::string target();
bool windows_target();
// The programs used: gfortran, gcc, g++, ar and dlltool, each prefixed
// with "<triple>-" for a target, unless F90_GNU_FC, F90_GNU_CC,
// F90_GNU_CXX, F90_GNU_AR or F90_GNU_DLLTOOL name others.
std::string fortran_compiler();
std::string c_compiler();
std::string cxx_compiler();
std::string archiver();
std::string dlltool();

// Running programs (gnu_backend.cpp). The file a command's program names,
// found as posix_spawnp finds it; empty when there is none.
std::string find_program(const std::string& program);
// Makes the directory where needed; whether this process may write in it.
bool writable_directory(const std::string& path);
// Runs the steps in turn, each in the environment gfortran gives it, until
// one fails, with their standard error in `*captured` (through the file
// `capture`, removed afterwards); true when every step ended with status 0.
bool run_steps_captured(const CompileSteps& steps, const std::string& capture, std::string* captured);

// Helpers over the file system (the tools share the driver's current
// directory, so relative names mean the same to every step).
std::string absolute_path(const std::string& path);
bool is_file(const std::string& path);
bool is_directory(const std::string& path);
bool read_text(const std::string& path, std::string* text);
bool write_text(const std::string& path, const std::string& text);
// Writes a complete file under a name of its own and renames it over `path`,
// so that concurrent runs read the old text or the new, never a mixture.
void replace_file(const std::string& path, const std::string& text);
bool starts_with(const std::string& text, const char* prefix);
bool ends_with(const std::string& text, const std::string& end);
std::string lower(std::string text);
std::string base_name(const std::string& path);
// The text after the last dot of the last component, as written, or "".
std::string suffix_of(const std::string& path);

}  // namespace gnu
