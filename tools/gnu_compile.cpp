// The compiling tools of the GNU mode: what ftfront, ixform, ocgen and OCC
// make of the arguments the driver gives them.
#include <climits>

#include "tools/gnu_tools.h"

namespace gnu {
namespace {

bool all_digits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// A decimal number with an optional minus sign; values beyond the range of
// an int are held at its ends (gcc refuses larger parameters).
std::optional<long long> number(const std::string& text) {
  bool negative = !text.empty() && text[0] == '-';
  std::string digits = negative ? text.substr(1) : text;
  if (!all_digits(digits)) return std::nullopt;
  long long value = 0;
  for (char c : digits) value = value >= INT_MAX ? INT_MAX : value * 10 + (c - '0');
  if (value > INT_MAX) value = INT_MAX;
  return negative ? -value : value;
}

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t at = text.find(separator, start);
    parts.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
    if (at == std::string::npos) return parts;
    start = at + 1;
  }
}

// A directory named in a front-end flag. The driver derives an empty name
// from an output name that sits in the root directory ("/prog").
std::string flag_directory(const std::string& dir) { return absolute_path(dir.empty() ? "/" : dir); }

}  // namespace

std::optional<FrontEndPlan> plan_front_end(const Args& args, std::string* error) {
  size_t n = args.size();
  if (n < 2 || args[n - 2].size() <= 2 || !starts_with(args[n - 2], "-F") || args[n - 1].empty()) {
    *error = "expected [flags] -F<intermediate file> <source>";
    return std::nullopt;
  }
  FrontEndPlan plan;
  plan.output = args[n - 2].substr(2);
  const std::string& source = args[n - 1];
  // The higher optimisation levels give the front end a "-O0"; the code
  // generator then gets -O2 or -O3, and -O2 is the one a build most often asks for.
  for (size_t i = 0; i + 2 < n; ++i) {
    if (args[i] == "-dB") plan.check_only = true;
    if (args[i] == "-O0") plan.guessed_later_flags = {"-O2"};
  }

  // The suffix gives the source form, and, in capitals as gfortran has it,
  // preprocessing; the driver also sends "x.For" here, which gfortran
  // would not know as Fortran, so the language is always given.
  std::string suffix = suffix_of(source);
  bool fixed = lower(suffix) == "f" || lower(suffix) == "for";
  bool preprocess = suffix == "F" || suffix == "FOR" || suffix == "F90" || suffix == "F95";

  std::string line_length;
  int integer_size = 4;
  bool real8 = false, quiet = false;
  Args preprocessor, search;
  std::string module_out = ".";
  for (size_t i = 0; i + 2 < n; ++i) {
    const std::string& f = args[i];
    if (f == "-ffree") {
      fixed = false;
    } else if (f == "-ffixed" || f == "-falt_fixed") {
      fixed = true;
    } else if (starts_with(f, "-YCLEN=")) {
      if (all_digits(f.substr(7))) line_length = f.substr(7);
    } else if (f == "-i16") {
      integer_size = 2;
    } else if (f == "-i32") {
      integer_size = 4;
    } else if (f == "-i64") {
      integer_size = 8;
    } else if (f == "-sfloat64") {
      real8 = true;
    } else if (f == "-m4") {
      quiet = true;
    } else if (starts_with(f, "-YMOD_OUT_DIR=")) {
      module_out = f.substr(14);
      if (module_out.empty()) module_out = "/";
    } else if (starts_with(f, "-p")) {
      // A directory that is not there holds no modules; gfortran would
      // only warn about it.
      std::string dir = flag_directory(f.substr(2));
      if (is_directory(dir)) search.push_back("-I" + dir);
    } else if ((starts_with(f, "-D") || starts_with(f, "-U")) && f.size() > 2) {
      preprocessor.push_back(f);
      preprocess = true;
    } else if (starts_with(f, "-I") && f.size() > 2) {
      preprocessor.push_back("-I" + absolute_path(f.substr(2)));
    }
    // The rest (-Ab, the -O0 of the higher levels, -dB, the -Y naming
    // options, message selections) has no gfortran counterpart; the -O0 and
    // -dB only tell what the later steps will do (above).
  }
  if (integer_size == 2)
    plan.warnings.push_back("-i16 has no GNU counterpart; default integers stay 4 bytes");

  Unit& unit = plan.unit;
  // As written, so that gfortran names it so; a leading '-' would make an option of it.
  unit.source = source[0] == '-' ? "./" + source : source;
  unit.directory = absolute_path(".");
  unit.learnt_key = learnt_flags_key(args);
  unit.language = preprocess ? "f95-cpp-input" : "f95";
  unit.flags.push_back(fixed ? "-ffixed-form" : "-ffree-form");
  if (!line_length.empty())
    unit.flags.push_back((fixed ? "-ffixed-line-length-" : "-ffree-line-length-") + line_length);
  if (integer_size == 8) unit.flags.push_back("-fdefault-integer-8");
  if (real8) unit.flags.push_back("-fdefault-real-8");
  unit.flags.insert(unit.flags.end(), preprocessor.begin(), preprocessor.end());
  unit.flags.insert(unit.flags.end(), search.begin(), search.end());
  unit.flags.push_back("-J" + absolute_path(module_out));
  if (quiet) unit.flags.push_back("-w");

  plan.check = {fortran_compiler(), "-fsyntax-only"};
  plan.check.insert(plan.check.end(), unit.flags.begin(), unit.flags.end());
  plan.check.insert(plan.check.end(), {"-x", unit.language, unit.source});
  return plan;
}

std::string front_end_object(const std::string& bif) { return bif + ".object"; }

std::string later_flags_file(const std::string& intermediate_file) {
  std::string full = absolute_path(intermediate_file);
  return full.substr(0, full.rfind('/') + 1) + "later-steps.flags";
}

std::optional<TransformPlan> plan_transformer(const Args& args, std::string* error) {
  size_t n = args.size();
  if (n < 3 || args[n - 3] != "-o" || args[n - 2].empty() || args[n - 1].empty()) {
    *error = "expected [flags] -o <output.int> <input.bif>";
    return std::nullopt;
  }
  return TransformPlan{Args(args.begin(), args.end() - 3), args[n - 1], args[n - 2]};
}

void apply_transformer_flags(const Args& flags, Unit* unit) {
  for (const std::string& f : flags) {
    if (f == "-YUNROLL=auto") {
      unit->later_flags.push_back("-funroll-loops");
    } else if (starts_with(f, "-YUNROLL=")) {
      // count,limit[,third]: the count bounds how often a loop is unrolled,
      // the limit the size of the unrolled loop.
      std::vector<std::string> values = split(f.substr(9), ',');
      if (values.size() < 2 || values.size() > 3) continue;
      std::optional<long long> count = number(values[0]), limit = number(values[1]);
      if (!count || !limit || (values.size() == 3 && !number(values[2])) || *count <= 0) continue;
      unit->later_flags.push_back("-funroll-loops");
      unit->later_flags.push_back("--param=max-unroll-times=" + std::to_string(*count));
      if (*limit > 0) unit->later_flags.push_back("--param=max-unrolled-insns=" + std::to_string(*limit));
    } else if (f == "-YTRANSFORM_LOOPS") {
      unit->later_flags.push_back("-floop-interchange");
    }
  }
}

std::optional<CodeGenArgs> parse_code_generator_args(const Args& args, std::string* error) {
  size_t n = args.size();
  if (n < 4 || args[n - 4] != "-o" || args[n - 3].empty() || args[n - 2] != "-i" || args[n - 1].empty()) {
    *error = "expected [flags] -o <object> -i <input.int>";
    return std::nullopt;
  }
  return CodeGenArgs{Args(args.begin(), args.end() - 4), args[n - 3], args[n - 1]};
}

Args code_generator_later_flags(const CodeGenArgs& args, const Unit& unit) {
  std::string level;
  bool debug = false;
  for (const std::string& f : args.flags) {
    if (f == "-O0" || f == "-O1" || f == "-O2" || f == "-O3") level = f;
    if (f == "-g") debug = true;
  }
  Args later = unit.later_flags;
  if (!level.empty()) later.push_back(level);
  if (debug) later.push_back("-g");
  return later;
}

bool front_end_object_fits(const Unit& unit, const Args& later, const std::string& stamp_now) {
  return !unit.object.empty() && unit.object_flags == later && !unit.stamp.empty() && stamp_now == unit.stamp;
}

Args compile_command(const Unit& unit, const Args& later, const std::string& object) {
  Args command = {fortran_compiler(), "-c"};
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

std::optional<Plan> plan_c_compiler(const Args& args, std::string* error) {
  size_t n = args.size();
  bool c = n > 0 && args[0] == "-A", cxx = n > 0 && args[0] == "-c++";
  if (n < 5 || !(c || cxx) || args[n - 4] != "-c" || args[n - 3].empty() || args[n - 2] != "-o" ||
      args[n - 1].empty()) {
    *error = "expected -A|-c++ [flags] -c <source> -o <object>";
    return std::nullopt;
  }
  Plan plan;
  plan.command.push_back(c ? c_compiler() : cxx_compiler());
  // The driver's -D, -I and -g mean the same to gcc.
  plan.command.insert(plan.command.end(), args.begin() + 1, args.end() - 4);
  plan.command.insert(plan.command.end(),
                      {"-fPIC", "-c", "-x", c ? "c" : "c++", args[n - 3], "-o", args[n - 1]});
  return plan;
}

}  // namespace gnu
