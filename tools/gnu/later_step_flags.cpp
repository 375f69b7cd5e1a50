// The flags of the transformer and of the code generator, as the driver
// writes them, and the gfortran flags they add to a unit's compile.
#include <climits>

#include "tools/gnu/compile.h"

namespace gnu {
namespace {

// A decimal number with an optional minus sign; values beyond the range of
// an int are held at its ends (gcc refuses larger parameters).
std::optional<long long> number(const std::string& text) {
  bool negative = !text.empty() && text[0] == '-';
  std::optional<unsigned long long> value = parse_digits(negative ? text.substr(1) : text, 10, INT_MAX, Beyond::Held);
  if (!value) return std::nullopt;
  return negative ? -static_cast<long long>(*value) : static_cast<long long>(*value);
}

using TransformerRow = FlagRow<Args>;

// In this order; the first row that matches a flag applies.
const TransformerRow TransformerFlags[] = {
    {"-YUNROLL=auto", false, [](Args& later, const std::string&) { later.push_back("-funroll-loops"); }},
    // count,limit[,third]: the count bounds how often a loop is unrolled,
    // the limit the size of the unrolled loop.
    {"-YUNROLL=", true,
     [](Args& later, const std::string& v) {
       std::vector<std::string> values = split(v, ',');
       if (values.size() < 2 || values.size() > 3) return;
       std::optional<long long> count = number(values[0]), limit = number(values[1]);
       if (!count || !limit || (values.size() == 3 && !number(values[2])) || *count <= 0) return;
       later.push_back("-funroll-loops");
       later.push_back("--param=max-unroll-times=" + std::to_string(*count));
       if (*limit > 0) later.push_back("--param=max-unrolled-insns=" + std::to_string(*limit));
     }},
    {"-YTRANSFORM_LOOPS", false, [](Args& later, const std::string&) { later.push_back("-floop-interchange"); }},
};

// What the code generator's flags ask of the object.
struct CodeGenReading {
  std::string level;  // the last level given
  bool debug = false;
};
using CodeGenRow = FlagRow<CodeGenReading>;

const CodeGenRow CodeGenFlags[] = {
    {"-O0", false, [](CodeGenReading& r, const std::string&) { r.level = "-O0"; }},
    {"-O1", false, [](CodeGenReading& r, const std::string&) { r.level = "-O1"; }},
    {"-O2", false, [](CodeGenReading& r, const std::string&) { r.level = "-O2"; }},
    {"-O3", false, [](CodeGenReading& r, const std::string&) { r.level = "-O3"; }},
    {"-g", false, [](CodeGenReading& r, const std::string&) { r.debug = true; }},
};

}  // namespace

std::optional<TransformPlan> plan_transformer(const Args& args, std::string* error) {
  size_t n = args.size();
  if (n < 3 || args[n - 3] != "-o" || args[n - 2].empty() || args[n - 1].empty()) {
    *error = "expected [flags] -o <output.int> <input.bif>";
    return std::nullopt;
  }
  return TransformPlan{Args(args.begin(), args.end() - 3), args[n - 1], args[n - 2]};
}

void apply_transformer_flags(const Args& flags, Unit* unit) {
  for (const std::string& f : flags) apply_flag(TransformerFlags, f, unit->later_flags);
}

Args transformer_table_flags() { return table_flags(TransformerFlags); }

std::optional<CodeGenArgs> parse_code_generator_args(const Args& args, std::string* error) {
  size_t n = args.size();
  if (n < 4 || args[n - 4] != "-o" || args[n - 3].empty() || args[n - 2] != "-i" || args[n - 1].empty()) {
    *error = "expected [flags] -o <object> -i <input.int>";
    return std::nullopt;
  }
  return CodeGenArgs{Args(args.begin(), args.end() - 4), args[n - 3], args[n - 1]};
}

Args code_generator_later_flags(const CodeGenArgs& args, const Unit& unit) {
  CodeGenReading reading;
  for (const std::string& f : args.flags) apply_flag(CodeGenFlags, f, reading);
  Args later = unit.later_flags;
  if (!reading.level.empty()) later.push_back(reading.level);
  if (reading.debug) later.push_back("-g");
  return later;
}

Args code_generator_table_flags() { return table_flags(CodeGenFlags); }

}  // namespace gnu
