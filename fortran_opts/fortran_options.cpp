// The Fortran language options: dispatch on the option's letter, and the
// matching forms that every letter's table shares.
#include <climits>
#include <cstring>
#include <string>

#include "driver/handlers.h"
#include "driver/option_text.h"
#include "driver/settings.h"
#include "fortran_opts/option_table.h"

namespace {

const OptionFamily* const Families[] = {
    &SourceOptions, &SwitchOptions, &PassOnOptions,
    &MessageOptions, &LoopOptions, &ModulePathOptions,
};

const OptionTable* table_for(char letter) {
  for (const OptionFamily* family : Families)
    for (size_t i = 0; i < family->count; ++i)
      if (family->tables[i].letter == letter) return &family->tables[i];
  return nullptr;
}

// The plus group knows only the two argument-aliasing switches, with the
// effect of their minus forms.
void plus_group_option(ArgList* args, const char* a) {
  for (const char* key : FortranPlusKeys)
    if (std::strcmp(a + 1, key) == 0) {
      if (const OptionTable* n = table_for('N')) apply_option_table(*n, args);
      return;
    }
}

// The value that `opt` sees in `text` (the argument after its prefix), or
// null when its form does not match. `separate` tells that it is `b`.
const char* match(const FortranOption& opt, const char* text, const char* b, bool* separate) {
  size_t key_len = std::strlen(opt.key);
  *separate = false;
  if (opt.form == Form::Exact) return std::strcmp(text, opt.key) == 0 ? "" : nullptr;
  if (opt.form == Form::Separate) {
    if (std::strcmp(text, opt.key) != 0 || !b) return nullptr;
    *separate = true;
    return b;
  }
  if (std::strncmp(text, opt.key, key_len) != 0) return nullptr;
  const char* rest = text + key_len;
  switch (opt.form) {
    case Form::Number:
      return all_digits(rest) ? rest : nullptr;
    case Form::Attached:
      return *rest ? rest : nullptr;
    default:  // Form::Rest
      return rest;
  }
}

}  // namespace

const char* const FortranPlusKeys[2] = {"N19", "N20"};

void apply_option_table(const OptionTable& table, ArgList* args) {
  const char* a = argnode_value(arglist_first(args));
  const char* b = next_value(args);
  for (size_t i = 0; i < table.count; ++i) {
    const FortranOption& opt = table.entries[i];
    bool separate;
    const char* value = match(opt, a + 1, b, &separate);
    if (!value || (opt.accepts && !opt.accepts(value))) continue;
    if (opt.apply(a, value)) take(args, separate);
    return;
  }
}

bool taken(const char*, const char*) { return true; }
bool declined(const char*, const char*) { return false; }

bool pass_on_to_front_end(const char* a, const char*) {
  arglist_append(FrontEndFlags, canonical_copy(a));
  return true;
}

std::string letter_and(const char* a, const char* value) {
  std::string flag(1, canonical_prefix());
  flag += a[1];
  flag += value;
  return flag;
}

int decimal_value(const char* digits) {
  long long n = 0;
  for (const char* p = digits; *p >= '0' && *p <= '9'; ++p) {
    n = n * 10 + (*p - '0');
    if (n > INT_MAX) return INT_MAX;
  }
  return static_cast<int>(n);
}

void handle_fortran_option(ArgList* args) {
  ArgNode* head = arglist_first(args);
  if (!head) return;
  const char* a = argnode_value(head);
  if (!is_prefix_char(a[0])) return;
  if (is_plus_prefix(a[0])) {
    plus_group_option(args, a);
    return;
  }
  if (const OptionTable* table = table_for(a[1])) apply_option_table(*table, args);
}
