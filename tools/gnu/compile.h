// The compiling tools of the GNU mode: what ftfront, ixform, ocgen and OCC
// make of the arguments the driver gives them. doc/gnu-tools.md describes
// the chain of a Fortran source and has the tables of flags that the front
// end, the transformer and the code generator take.
//
// A Fortran source is compiled once by gfortran: `ftfront` compiles it to an
// object of its own with the flags of its options and those it expects the
// later steps to add, and keeps gfortran's diagnostics in the ".bif" file;
// `ixform` adds the flags of its options; `ocgen` takes the front end's
// object when its flags are the object's own and the source is unchanged,
// else compiles again. `OCC` compiles C and C++ with gcc and g++.
#pragma once
#include <optional>
#include <string>

#include "tools/gnu/target.h"
#include "tools/gnu/unit_file.h"

namespace gnu {

// A row of a tool's table of flags: the flag as the driver writes it
// (exactly, or followed by a value) and what the tool makes of it. Each
// table is the one place of its flags; doc/gnu-tools.md shows what gfortran
// gets for each, and a test holds the two together.
template <typename Reading>
struct FlagRow {
  const char* flag;
  bool takes_value;  // the flag is a prefix, the value follows it
  void (*apply)(Reading& reading, const std::string& value);
};

// Applies the first row that matches the flag; false when none does.
template <typename Reading, size_t N>
bool apply_flag(const FlagRow<Reading> (&rows)[N], const std::string& flag, Reading& reading) {
  for (const FlagRow<Reading>& row : rows) {
    std::string spelled = row.flag;
    if (row.takes_value ? flag.compare(0, spelled.size(), spelled) == 0 : flag == spelled) {
      row.apply(reading, flag.substr(spelled.size()));
      return true;
    }
  }
  return false;
}

// The flags of a table, in its order.
template <typename Reading, size_t N>
Args table_flags(const FlagRow<Reading> (&rows)[N]) {
  Args flags;
  for (const FlagRow<Reading>& row : rows) flags.push_back(row.flag);
  return flags;
}

// --- Front end -------------------------------------------------------------

// What the front end's flags say, gathered in order (front_end_flags.cpp).
struct FrontEndReading {
  std::optional<bool> fixed;  // the source form, when a flag gives it
  std::string line_length;
  int integer_size = 4;
  bool real8 = false, quiet = false, preprocess = false, check_only = false;
  Args preprocessor, search;
  std::string module_out = ".";
  Args guessed_later_flags;  // what the later steps are likely to add
  Args naming;               // the flags that name external names, as given
};
void read_front_end_flag(const std::string& flag, FrontEndReading& reading);
// The flags of the table, in order, for the documentation test.
Args front_end_table_flags();

// The check to run and the unit to write when it passes.
struct FrontEndPlan {
  Args check;                  // gfortran -fsyntax-only
  Unit unit;
  std::string output;          // the ".bif" file
  bool check_only = false;     // "-dB": no later step follows
  Args guessed_later_flags;    // what the later steps are likely to add
  std::vector<std::string> warnings;
};
std::optional<FrontEndPlan> plan_front_end(const Target& target, const Args& args, std::string* error);
// The front end's own object, beside its ".bif" file; no name the driver
// derives ends like it.
std::string front_end_object(const std::string& bif);
// Where the code generator leaves the flags it added, for the front end of
// the next source of the run: the directory of its input, which the driver
// shares with the front end's output.
std::string later_flags_file(const std::string& intermediate_file);

// --- Transformer and code generator (later_step_flags.cpp) ------------------

// Transformer: its own flags, the ".bif" file to read, the ".int" to write.
struct TransformPlan {
  Args flags;
  std::string input, output;
};
std::optional<TransformPlan> plan_transformer(const Args& args, std::string* error);
// Adds the gfortran flags of the transformer's own options to `unit`.
void apply_transformer_flags(const Args& flags, Unit* unit);
Args transformer_table_flags();

// Code generator: the arguments are known before the ".int" file is read.
struct CodeGenArgs {
  Args flags;
  std::string object, input;
};
std::optional<CodeGenArgs> parse_code_generator_args(const Args& args, std::string* error);
// All that the transformer and the code generator add to the unit's flags.
Args code_generator_later_flags(const CodeGenArgs& args, const Unit& unit);
Args code_generator_table_flags();
// Whether the front end's object is the one that compiling with `later`
// would make now that the source has the stamp `stamp_now`.
bool front_end_object_fits(const Unit& unit, const Args& later, const std::string& stamp_now);

// gfortran compiling the unit's source with `later` after the unit's flags.
Args compile_command(const Target& target, const Unit& unit, const Args& later, const std::string& object);
// The source as the compile names it: as the user wrote it, unless the step
// runs in another directory than the front end did.
std::string source_argument(const Unit& unit);

// --- C and C++ ----------------------------------------------------------------

std::optional<Args> plan_c_compiler(const Target& target, const Args& args, std::string* error);

}  // namespace gnu
