// Internals of the stand-ins' GNU mode, shared by its files and its tests.
//
// The chain of a Fortran source: `ftfront` checks the source with
// `gfortran -fsyntax-only` (which also writes its module files, so that a
// later source of the same run can use them) and writes a ".bif" file that
// names the source and the gfortran flags its options stand for; `ixform`
// copies that into the ".int" file and adds the flags of its own options;
// `ocgen` compiles the source to the object it is told, with the
// optimisation level and debug flags that it gets. `OCC` compiles C and C++
// with gcc and g++; `olink` links with gfortran or builds an archive with ar.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace gnu {

using Args = std::vector<std::string>;

// What the front end hands on to the later steps.
struct Unit {
  std::string source;    // absolute path of the Fortran source
  std::string language;  // gfortran's -x value: "f95" or "f95-cpp-input"
  Args flags;            // gfortran flags, in order
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
  Args check;
  Unit unit;
  std::string output;          // the ".bif" file
  std::vector<std::string> warnings;
};
std::optional<FrontEndPlan> plan_front_end(const Args& args, std::string* error);

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
Args code_generator_command(const CodeGenArgs& args, const Unit& unit);

std::optional<Plan> plan_c_compiler(const Args& args, std::string* error);

// Linker: an executable or a DLL with gfortran, or a static library with ar.
struct LinkPlan {
  Args command;
  std::string remove_before;  // an archive is built afresh
  std::string exports_file;   // to leave after a library is built, when not there yet
  std::vector<std::string> warnings;
};
std::optional<LinkPlan> plan_link(const Args& args, std::string* error);

// The programs used: gfortran, gcc, g++ and ar, unless F90_GNU_FC,
// F90_GNU_CC, F90_GNU_CXX or F90_GNU_AR name others.
std::string fortran_compiler();
std::string c_compiler();
std::string cxx_compiler();
std::string archiver();

// Helpers over the file system (the tools share the driver's current
// directory, so relative names mean the same to every step).
std::string absolute_path(const std::string& path);
bool is_file(const std::string& path);
bool is_directory(const std::string& path);
// The text after the last dot of the last component, as written, or "".
std::string suffix_of(const std::string& path);

}  // namespace gnu
