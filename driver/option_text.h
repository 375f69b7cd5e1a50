// Small helpers shared by the option handlers.
#pragma once
#include <string>

#include "driver/arglist.h"

// True when `s` is one or more decimal digits and nothing else.
bool all_digits(const char* s);
// True when `a` and `b` are the same text, letters compared without regard
// to case.
bool equal_any_case(const char* a, const char* b);
// A copy of the option `a` with its prefix character replaced by the
// canonical prefix: "/ffree" -> "-ffree".
std::string canonical_copy(const char* a);
// The text of the second entry of the argument list (the value of a separate
// option), or null when the head is the last entry.
const char* next_value(const ArgList* args);
// Takes the head of the argument list, and with `with_value` the entry after
// it as well.
void take(ArgList* args, bool with_value);
