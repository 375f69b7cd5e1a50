// The general options: the last handler of the chain. They steer the whole
// run (how far it goes, the output name, the optimisation level, verbosity,
// temporary files) and pass a few options on to the code generator, the
// front end, the transformer and the C/C++ compiler.
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>

#include "driver/general_options.h"
#include "driver/handlers.h"
#include "driver/option_text.h"
#include "driver/settings.h"

namespace {

using Form = GeneralForm;

void append_both(ArgList* first, ArgList* second, const std::string& flag) {
  arglist_append(first, flag);
  arglist_append(second, flag);
}

void alias_arg(const char* cg_flag) {
  arglist_append(TransformerFlags, "-YALIAS_ARG");
  arglist_append(CodeGenFlags, cg_flag);
}

void lower_kind(int kind) {
  if (TargetKind > kind) TargetKind = kind;
}

void profile(const char*, const char*) {
  arglist_append(CodeGenFlags, "-N25");
  arglist_append(CodeGenFlags, "-N72");
}

// "-B" / "-Q" followed by one character of any kind and then only digits.
bool tail_after_first_is_digits(const char* value) {
  return *value != '\0' && (value[1] == '\0' || all_digits(value + 1));
}
bool digits(const char* value) { return all_digits(value); }
bool empty_or_digits(const char* value) { return *value == '\0' || all_digits(value); }

// The letter of the option (the character after the prefix) and the value
// joined, with the canonical prefix: "-D" + "FOO=1".
std::string joined(const char* a, const char* value) {
  std::string s(1, canonical_prefix());
  s += a[1];
  s += value;
  return s;
}

const GeneralOption MinusGroup[] = {
    {"B19", Form::Exact, [](const char*, const char*) { alias_arg("+N19"); }, nullptr},
    {"Q19", Form::Exact, [](const char*, const char*) { alias_arg("+N19"); }, nullptr},
    {"B20", Form::Exact, [](const char*, const char*) { alias_arg("+N20"); }, nullptr},
    {"Q20", Form::Exact, [](const char*, const char*) { alias_arg("+N20"); }, nullptr},
    {"B", Form::Attached,
     [](const char*, const char* v) { arglist_append(CodeGenFlags, std::string("-N") + v); },
     tail_after_first_is_digits},
    {"Q", Form::Attached,
     [](const char*, const char* v) { arglist_append(CodeGenFlags, std::string("-N") + v); },
     tail_after_first_is_digits},
    {"D", Form::Attached,
     [](const char* a, const char*) {
       append_both(CPreprocessorFlags, FrontEndFlags, canonical_copy(a));
     },
     nullptr},
    {"I", Form::Attached,
     [](const char* a, const char*) {
       append_both(CPreprocessorFlags, FrontEndFlags, canonical_copy(a));
     },
     nullptr},
    // -U<macro> as -D<macro>; the bare -U (automatic unrolling) is the
    // Fortran options'.
    {"U", Form::Attached,
     [](const char* a, const char*) {
       append_both(CPreprocessorFlags, FrontEndFlags, canonical_copy(a));
     },
     nullptr},
    {"D", Form::Separate,
     [](const char* a, const char* v) { append_both(CPreprocessorFlags, FrontEndFlags, joined(a, v)); },
     nullptr},
    {"I", Form::Separate,
     [](const char* a, const char* v) { append_both(CPreprocessorFlags, FrontEndFlags, joined(a, v)); },
     nullptr},
    {"O", Form::Exact, [](const char*, const char*) { OptLevel = opt_level_from_env(); }, nullptr},
    {"O0", Form::Exact, [](const char*, const char*) { OptLevel = 0; }, nullptr},
    {"O1", Form::Exact, [](const char*, const char*) { OptLevel = 1; }, nullptr},
    {"O2", Form::Exact, [](const char*, const char*) { OptLevel = 2; }, nullptr},
    {"O3", Form::Exact, [](const char*, const char*) { OptLevel = 3; }, nullptr},
    {"P", Form::Exact, profile, nullptr},
    {"S", Form::Exact, [](const char*, const char*) { lower_kind(KindAssembly); }, nullptr},
    {"trap=", Form::BeginsWith,
     [](const char* a, const char*) { arglist_append(CodeGenFlags, canonical_copy(a)); }, nullptr},
    {"T", Form::Attached,
     [](const char* a, const char*) { arglist_append(FrontEndFlags, canonical_copy(a)); }, nullptr},
    {"t", Form::Attached,
     [](const char* a, const char*) { arglist_append(FrontEndFlags, canonical_copy(a)); }, nullptr},
    {"T", Form::Separate,
     [](const char* a, const char* v) { arglist_append(FrontEndFlags, joined(a, v)); }, nullptr},
    {"t", Form::Separate,
     [](const char* a, const char* v) { arglist_append(FrontEndFlags, joined(a, v)); }, nullptr},
    {"b", Form::Attached,
     [](const char* a, const char*) { arglist_append(CodeGenFlags, canonical_copy(a)); }, digits},
    {"b", Form::Separate,
     [](const char* a, const char* v) { arglist_append(CodeGenFlags, joined(a, v)); },
     empty_or_digits},
    {"c", Form::Exact, [](const char*, const char*) { lower_kind(KindObjects); }, nullptr},
    {"checkopts", Form::Exact, [](const char*, const char*) { CheckOptsOnly = 1; }, nullptr},
    {"dryrun", Form::Exact,
     [](const char*, const char*) {
       Verbose = 1;
       DryRun = 1;
     },
     nullptr},
    {"g", Form::Exact,
     [](const char*, const char*) {
       arglist_append(CodeGenFlags, "-g");
       arglist_append(CCompilerFlags, "-g");
     },
     nullptr},
    {"gmin", Form::Exact, [](const char*, const char*) { arglist_append(CodeGenFlags, "-N8"); },
     nullptr},
    {"gfull", Form::Exact,
     [](const char*, const char*) {
       arglist_append(CodeGenFlags, "-g");
       arglist_append(CodeGenFlags, "-N6");
     },
     nullptr},
    {"ggdb", Form::Exact,
     [](const char*, const char*) {
       arglist_append(CodeGenFlags, "-g");
       arglist_append(CodeGenFlags, "-N153");
     },
     nullptr},
    {"keep", Form::Exact, [](const char*, const char*) { KeepTemps = 1; }, nullptr},
    {"nodefaultlib", Form::Exact, [](const char*, const char*) { NoDefaultLib = 1; }, nullptr},
    {"o", Form::Attached, [](const char*, const char* v) { set_output_name(v); }, nullptr},
    {"o", Form::Separate, [](const char*, const char* v) { set_output_name(v); }, nullptr},
    {"profile", Form::Exact, profile, nullptr},
    {"round=", Form::BeginsWith,
     [](const char* a, const char*) { arglist_append(CodeGenFlags, canonical_copy(a)); }, nullptr},
    {"safefp", Form::Exact, [](const char*, const char*) { SafeFP = 1; }, nullptr},
    {"v", Form::Exact, [](const char*, const char*) { Verbose = 1; }, nullptr},
    {"verbose", Form::Exact, [](const char*, const char*) { Verbose = 1; }, nullptr},
};

// The plus group ('+' and '!') knows only the -B and -Q forms; their
// code-generator flag keeps the plus sign: "!B7" gives "+N7".
void plus_n_flag(const char*, const char* v) {
  std::string flag(1, OptionPrefixChars[0]);
  flag += 'N';
  flag += v;
  arglist_append(CodeGenFlags, flag);
}

const GeneralOption PlusGroup[] = {
    {"B19", Form::Exact, [](const char*, const char*) { alias_arg("+N19"); }, nullptr},
    {"Q19", Form::Exact, [](const char*, const char*) { alias_arg("+N19"); }, nullptr},
    {"B20", Form::Exact, [](const char*, const char*) { alias_arg("+N20"); }, nullptr},
    {"Q20", Form::Exact, [](const char*, const char*) { alias_arg("+N20"); }, nullptr},
    {"B", Form::Attached, plus_n_flag, tail_after_first_is_digits},
    {"Q", Form::Attached, plus_n_flag, tail_after_first_is_digits},
};

// Finds the first entry that matches and applies it; true when taken.
bool apply_first_match(const GeneralOptionTable& table, ArgList* args) {
  const char* a = argnode_value(arglist_first(args));
  const char* text = a + 1;
  const char* b = next_value(args);
  for (size_t i = 0; i < table.count; ++i) {
    const GeneralOption& opt = table.entries[i];
    const char* value = nullptr;
    bool separate = false;
    size_t key_len = std::strlen(opt.key);
    switch (opt.form) {
      case Form::Exact:
        if (std::strcmp(text, opt.key) == 0) value = "";
        break;
      case Form::BeginsWith:
        if (std::strncmp(text, opt.key, key_len) == 0) value = text;
        break;
      case Form::Attached:
        if (std::strncmp(text, opt.key, key_len) == 0 && text[key_len] != '\0')
          value = text + key_len;
        break;
      case Form::Separate:
        if (std::strcmp(text, opt.key) == 0 && b) {
          value = b;
          separate = true;
        }
        break;
    }
    if (!value || (opt.accepts && !opt.accepts(value))) continue;
    // The value may live in the argument list: copy it before taking.
    std::string a_copy = a, value_copy = value;
    take(args, separate);
    opt.apply(a_copy.c_str(), value_copy.c_str());
    return true;
  }
  return false;
}

}  // namespace

const GeneralOptionTable GeneralMinusGroup = {MinusGroup, std::size(MinusGroup)};
const GeneralOptionTable GeneralPlusGroup = {PlusGroup, std::size(PlusGroup)};

int opt_level_from_env() {
  const char* v = std::getenv("ORVANE_BIG_O");
  if (!v || !*v) return 2;
  static const char* const Levels[] = {"-O0", "-O1", "-O2", "-O3"};
  for (int level = 0; level < 4; ++level)
    if (std::strcmp(v, Levels[level]) == 0) return level;
  return 2;
}

void handle_general_option(ArgList* args) {
  ArgNode* head = arglist_first(args);
  if (!head) return;
  const char* a = argnode_value(head);
  if (!is_prefix_char(a[0])) return;
  apply_first_match(is_plus_prefix(a[0]) ? GeneralPlusGroup : GeneralMinusGroup, args);
}
