#pragma once
#include <cstddef>

// The general options as data: a table for each prefix group, its entries
// tried in order, the first that matches taking the argument.

// How an entry matches the text after the prefix character.
enum class GeneralForm {
  Exact,       // the whole text equals the key
  BeginsWith,  // the text begins with the key; the value is the whole text
  Attached,    // the key followed by at least one character (the value)
  Separate,    // exactly the key, the value is the next argument
};

struct GeneralOption {
  const char* key;
  GeneralForm form;
  void (*apply)(const char* a, const char* value);
  bool (*accepts)(const char* value);  // extra test of the value, or null
};

struct GeneralOptionTable {
  const GeneralOption* entries;
  size_t count;
};

extern const GeneralOptionTable GeneralMinusGroup;  // '-' and '/'
extern const GeneralOptionTable GeneralPlusGroup;   // '+' and '!'

// The optimisation level of a bare -O: ORVANE_BIG_O when it is exactly
// "-O0" to "-O3", else 2.
int opt_level_from_env();
