// The front end's message level and message selection: -m, -z, -M, -Z, -q,
// -w and -W.
#include <cstring>
#include <iterator>
#include <string>

#include "driver/option_text.h"
#include "driver/settings.h"
#include "fortran_opts/option_table.h"

namespace {

bool front_end(const std::string& flag) {
  arglist_append(FrontEndFlags, flag);
  return true;
}

bool starts_with_digit(const char* s) { return *s >= '0' && *s <= '9'; }

// "12, 13": a digit first, then only digits, commas and blanks.
bool is_number_list(const char* s) {
  return starts_with_digit(s) && s[std::strspn(s, "0123456789, ")] == '\0';
}

// One "-M" flag for each piece of a list split at blanks and commas. A piece
// that is not a number stops the list there and declines the option; the
// flags of the pieces before it stay.
bool select_messages(const char*, const char* list) {
  const char* p = list;
  for (;;) {
    p += std::strspn(p, " ,");
    if (*p == '\0') return true;
    size_t len = std::strcspn(p, " ,");
    std::string piece(p, len);
    if (!all_digits(piece.c_str())) return false;
    arglist_append(FrontEndFlags, "-M" + piece);
    p += len;
  }
}

const FortranOption LowerM[] = {
    {"m", Form::Number, nullptr, pass_on_to_front_end},
};

const FortranOption UpperM[] = {
    {"M", Form::Attached, is_number_list, pass_on_to_front_end},
};

const FortranOption LowerZ[] = {
    {"z", Form::Number, nullptr,
     [](const char*, const char* n) { return front_end(std::string("-m") + n); }},
    {"z", Form::Separate, all_digits,
     [](const char*, const char* n) { return front_end(std::string("-m") + n); }},
};

const FortranOption UpperZ[] = {
    {"Z", Form::Attached, starts_with_digit, select_messages},
    {"Z", Form::Separate, nullptr, select_messages},
};

const FortranOption Q[] = {
    {"q", Form::Exact, nullptr,
     [](const char*, const char*) {
       arglist_append(FrontEndFlags, "-m4");
       arglist_append(CodeGenFlags, "-N62");
       return true;
     }},
};

const FortranOption LowerW[] = {
    {"w", Form::Exact, nullptr, [](const char*, const char*) { return front_end("-m4"); }},
};

const FortranOption UpperW[] = {
    {"W", Form::Number, nullptr,
     [](const char*, const char* n) { return front_end(std::string("-N") + n); }},
    {"W", Form::Separate, all_digits,
     [](const char*, const char* n) { return front_end(std::string("-N") + n); }},
};

const OptionTable Tables[] = {
    {'m', LowerM, std::size(LowerM)}, {'M', UpperM, std::size(UpperM)},
    {'z', LowerZ, std::size(LowerZ)}, {'Z', UpperZ, std::size(UpperZ)},
    {'q', Q, std::size(Q)},           {'w', LowerW, std::size(LowerW)},
    {'W', UpperW, std::size(UpperW)},
};

}  // namespace

const OptionFamily MessageOptions = {Tables, std::size(Tables)};
