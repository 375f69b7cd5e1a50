#include "driver/option_text.h"

#include "driver/settings.h"

bool all_digits(const char* s) {
  if (*s == '\0') return false;
  for (; *s; ++s)
    if (*s < '0' || *s > '9') return false;
  return true;
}

bool equal_any_case(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    char x = *a >= 'A' && *a <= 'Z' ? static_cast<char>(*a - 'A' + 'a') : *a;
    char y = *b >= 'A' && *b <= 'Z' ? static_cast<char>(*b - 'A' + 'a') : *b;
    if (x != y) return false;
  }
  return *a == *b;
}

std::string canonical_copy(const char* a) {
  std::string s = a;
  if (!s.empty()) s[0] = canonical_prefix();
  return s;
}

const char* next_value(const ArgList* args) {
  ArgNode* head = arglist_first(args);
  ArgNode* next = head ? argnode_next(head) : nullptr;
  return next ? argnode_value(next) : nullptr;
}

void take(ArgList* args, bool with_value) {
  if (with_value) arglist_remove(args, argnode_next(arglist_first(args)));
  arglist_remove_first(args);
}
