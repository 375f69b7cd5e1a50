// The Fortran options as data. handle_fortran_option picks the table of an
// option's letter (the character after the prefix) and tries its entries in
// order; the first entry whose form and value test match decides.
#pragma once
#include <cstddef>
#include <string>

#include "driver/arglist.h"

// How an entry matches the text after the prefix character.
enum class Form {
  Exact,     // the text equals the key
  Number,    // the key followed by one or more digits and nothing else
  Attached,  // the key followed by at least one character
  Rest,      // the key followed by anything, nothing included
  Separate,  // exactly the key, the value being the next argument
};

struct FortranOption {
  const char* key;  // begins with the table's letter
  Form form;
  // Extra test of the value (the text after the key, or the next argument
  // for Separate); null accepts every value.
  bool (*accepts)(const char* value);
  // Records the effect of the option `a` with its value; returns whether the
  // argument is taken. A matching entry that returns false declines it.
  bool (*apply)(const char* a, const char* value);
};

struct OptionTable {
  char letter;
  const FortranOption* entries;
  size_t count;
};

// The letter tables of one family of options.
struct OptionFamily {
  const OptionTable* tables;
  size_t count;
};

extern const OptionFamily SourceOptions;      // f g i t Y
extern const OptionFamily SwitchOptions;      // N
extern const OptionFamily PassOnOptions;      // d e R s V x
extern const OptionFamily MessageOptions;     // m M q w W z Z
extern const OptionFamily LoopOptions;        // h H U T
extern const OptionFamily ModulePathOptions;  // p n
// The plus group ('+', '!') of the Fortran options: these keys only, with
// the effect of their minus forms.
extern const char* const FortranPlusKeys[2];  // N19 N20

// The tables of the other handlers that share these forms.
extern const OptionFamily ModulePathHandlerOptions;  // fdll, WINAPIModFiles
extern const OptionFamily LinkerOptionTables;        // the linker options (minus group only)

// Tries the entries of `table` on the head of `args`: the first entry that
// matches and whose effect takes it removes it, as the handlers do.
void apply_option_table(const OptionTable& table, ArgList* args);

// Shared effects and value tests.
bool taken(const char*, const char*);
bool declined(const char*, const char*);
// A copy of `a` with the canonical prefix to the front end.
bool pass_on_to_front_end(const char* a, const char*);
// The canonical prefix, the option's letter and `value`: "-x" + "abc".
std::string letter_and(const char* a, const char* value);
// The decimal value of a digit string, held at INT_MAX when it is larger.
int decimal_value(const char* digits);

