// Source-language options: source form, -g77, integer size, line length and
// the -Y options.
#include <cstring>
#include <iterator>
#include <string>

#include "driver/option_text.h"
#include "driver/settings.h"
#include "fortran_opts/option_table.h"

namespace {

bool front_end(const char* flag) {
  arglist_append(FrontEndFlags, flag);
  return true;
}

bool is_source_form(const char* word) {
  return std::strcmp(word, "free") == 0 || std::strcmp(word, "fixed") == 0 ||
         std::strcmp(word, "alt_fixed") == 0;
}

// An attached form word is tried when the argument has text after the f, or
// has no next argument; the separate word only after a bare -f.
const FortranOption F[] = {
    {"ffree", Form::Exact, nullptr, [](const char*, const char*) { return front_end("-ffree"); }},
    {"ffixed", Form::Exact, nullptr, [](const char*, const char*) { return front_end("-ffixed"); }},
    {"falt_fixed", Form::Exact, nullptr,
     [](const char*, const char*) { return front_end("-falt_fixed"); }},
    {"f", Form::Separate, is_source_form,
     [](const char*, const char* word) { return front_end(("-f" + std::string(word)).c_str()); }},
};

const char* const G77FrontEnd[] = {
    "-ev",           "-YEXT_NAMES=LCS", "-YCFRL=1",    "-YCOM_NAMES=LCS",
    "-YVAR_NAMES=UCS", "-YCOM_SFX=_",   "-YCOM_PFX=",
};

const FortranOption G[] = {
    {"g77", Form::Exact, nullptr,
     [](const char*, const char*) {
       for (const char* flag : G77FrontEnd) arglist_append(FrontEndFlags, flag);
       arglist_append(CodeGenFlags, "-N108");
       arglist_append(CodeGenFlags, "-N139");
       VarNameCase = 1;
       return true;
     }},
};

const FortranOption I[] = {
    {"i2", Form::Exact, nullptr, [](const char*, const char*) { return front_end("-i16"); }},
    {"i16", Form::Exact, nullptr, [](const char*, const char*) { return front_end("-i16"); }},
    {"i4", Form::Exact, nullptr, [](const char*, const char*) { return front_end("-i32"); }},
    {"i32", Form::Exact, nullptr, [](const char*, const char*) { return front_end("-i32"); }},
    {"i8", Form::Exact, nullptr, [](const char*, const char*) { return front_end("-i64"); }},
    {"i64", Form::Exact, nullptr, [](const char*, const char*) { return front_end("-i64"); }},
};

// Line length: the digits as written, to the front end and the transformer.
bool line_length(const char*, const char* digits) {
  std::string flag = std::string("-YCLEN=") + digits;
  arglist_append(FrontEndFlags, flag);
  arglist_append(TransformerFlags, flag);
  return true;
}

const FortranOption T[] = {
    {"t", Form::Number, nullptr, line_length},
    {"t", Form::Separate, all_digits, line_length},
};

// A -Y option for the front end; the variable-name case follows the last
// YVAR_NAMES= option given.
bool pass_on_y(const std::string& flag) {
  arglist_append(FrontEndFlags, flag);
  const char* text = flag.c_str() + 1;
  if (std::strcmp(text, "YVAR_NAMES=UCS") == 0) VarNameCase = 1;
  if (std::strcmp(text, "YVAR_NAMES=LCS") == 0) VarNameCase = 2;
  if (std::strcmp(text, "YVAR_NAMES=ASIS") == 0) VarNameCase = 0;
  return true;
}

bool is_x(const char* value) { return std::strcmp(value, "X") == 0; }
bool is_vf_char(const char* value) { return std::strcmp(value, "VF_CHAR") == 0; }

bool vf_char(const char*, const char*) {
  arglist_append(TransformerFlags, "-YVF_CHAR");
  return true;
}

const FortranOption Y[] = {
    {"YX", Form::Exact, nullptr, [](const char*, const char*) { return front_end("-f77_x"); }},
    {"Y", Form::Separate, is_x, [](const char*, const char*) { return front_end("-f77_x"); }},
    {"YVF_CHAR", Form::Exact, nullptr, vf_char},
    {"Y", Form::Separate, is_vf_char, vf_char},
    {"Y", Form::Attached, nullptr,
     [](const char* a, const char*) { return pass_on_y(canonical_copy(a)); }},
    {"Y", Form::Separate, nullptr,
     [](const char* a, const char* b) { return pass_on_y(letter_and(a, b)); }},
};

const OptionTable Tables[] = {
    {'f', F, std::size(F)}, {'g', G, std::size(G)}, {'i', I, std::size(I)},
    {'t', T, std::size(T)}, {'Y', Y, std::size(Y)},
};

}  // namespace

const OptionFamily SourceOptions = {Tables, std::size(Tables)};
