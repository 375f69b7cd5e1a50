// The front end's plan, the compile command of a unit and the C compiler's
// plan. The flags' tables are in front_end_flags.cpp and
// later_step_flags.cpp.
#include "tools/gnu/compile.h"

#include "tools/gnu/learnt_flags.h"

namespace gnu {

std::optional<FrontEndPlan> plan_front_end(const Target& target, const Args& args, std::string* error) {
  size_t n = args.size();
  if (n < 2 || args[n - 2].size() <= 2 || !starts_with(args[n - 2], "-F") || args[n - 1].empty()) {
    *error = "expected [flags] -F<intermediate file> <source>";
    return std::nullopt;
  }
  FrontEndPlan plan;
  plan.output = args[n - 2].substr(2);
  const std::string& source = args[n - 1];

  // The suffix gives the source form, and, in capitals as gfortran has it,
  // preprocessing; the driver also sends "x.For" here, which gfortran
  // would not know as Fortran, so the language is always given.
  std::string suffix = suffix_of(source);
  FrontEndReading reading;
  reading.preprocess = suffix == "F" || suffix == "FOR" || suffix == "F90" || suffix == "F95";
  for (size_t i = 0; i + 2 < n; ++i) read_front_end_flag(args[i], reading);
  bool fixed = reading.fixed.value_or(lower(suffix) == "f" || lower(suffix) == "for");
  plan.check_only = reading.check_only;
  plan.guessed_later_flags = reading.guessed_later_flags;
  if (reading.integer_size == 2)
    plan.warnings.push_back("-i16 has no GNU counterpart; default integers stay 4 bytes");

  Unit& unit = plan.unit;
  // As written, so that gfortran names it so; a leading '-' would make an option of it.
  unit.source = source[0] == '-' ? "./" + source : source;
  unit.directory = absolute_path(".");
  unit.learnt_key = learnt_flags_key(args);
  unit.naming = reading.naming;
  unit.language = reading.preprocess ? "f95-cpp-input" : "f95";
  unit.flags.push_back(fixed ? "-ffixed-form" : "-ffree-form");
  if (!reading.line_length.empty())
    unit.flags.push_back((fixed ? "-ffixed-line-length-" : "-ffree-line-length-") + reading.line_length);
  if (reading.integer_size == 8) unit.flags.push_back("-fdefault-integer-8");
  if (reading.real8) unit.flags.push_back("-fdefault-real-8");
  unit.flags.insert(unit.flags.end(), reading.preprocessor.begin(), reading.preprocessor.end());
  unit.flags.insert(unit.flags.end(), reading.search.begin(), reading.search.end());
  unit.flags.push_back("-J" + absolute_path(reading.module_out));
  if (reading.quiet) unit.flags.push_back("-w");

  plan.check = {target.fortran_compiler, "-fsyntax-only"};
  plan.check.insert(plan.check.end(), unit.flags.begin(), unit.flags.end());
  plan.check.insert(plan.check.end(), {"-x", unit.language, unit.source});
  return plan;
}

std::string front_end_object(const std::string& bif) { return bif + ".object"; }

std::string later_flags_file(const std::string& intermediate_file) {
  std::string full = absolute_path(intermediate_file);
  return full.substr(0, full.rfind('/') + 1) + "later-steps.flags";
}

bool front_end_object_fits(const Unit& unit, const Args& later, const std::string& stamp_now) {
  return !unit.object.empty() && unit.object_flags == later && !unit.stamp.empty() && stamp_now == unit.stamp;
}

Args compile_command(const Target& target, const Unit& unit, const Args& later, const std::string& object) {
  Args command = {target.fortran_compiler, "-c"};
  command.insert(command.end(), unit.flags.begin(), unit.flags.end());
  command.insert(command.end(), later.begin(), later.end());
  // Position-independent code, so that every object can also go into a DLL.
  command.insert(command.end(), {"-fPIC", "-o", object, "-x", unit.language, source_argument(unit)});
  return command;
}

std::string source_argument(const Unit& unit) {
  if (unit.source[0] == '/' || unit.directory.empty() || absolute_path(".") == unit.directory)
    return unit.source;
  return absolute_path(unit.directory + "/" + unit.source);
}

std::optional<Args> plan_c_compiler(const Target& target, const Args& args, std::string* error) {
  size_t n = args.size();
  bool c = n > 0 && args[0] == "-A", cxx = n > 0 && args[0] == "-c++";
  if (n < 5 || !(c || cxx) || args[n - 4] != "-c" || args[n - 3].empty() || args[n - 2] != "-o" ||
      args[n - 1].empty()) {
    *error = "expected -A|-c++ [flags] -c <source> -o <object>";
    return std::nullopt;
  }
  // The driver's -D, -I and -g mean the same to gcc.
  Args command = {c ? target.c_compiler : target.cxx_compiler};
  command.insert(command.end(), args.begin() + 1, args.end() - 4);
  command.insert(command.end(), {"-fPIC", "-c", "-x", c ? "c" : "c++", args[n - 3], "-o", args[n - 1]});
  return command;
}

}  // namespace gnu
