// The later steps' flags that the tools keep between runs (learnt_flags.cpp).
#pragma once
#include <optional>
#include <string>

#include "tools/gnu/files.h"

namespace gnu {

// The key: the front end's current directory and its arguments but the last two.
std::string learnt_flags_key(const Args& front_end_args);
// The file kept for a key; empty when there is no cache directory.
std::string learnt_flags_path(const std::string& key);
std::string format_learnt_flags(const std::string& key, const Args& flags);
// Empty unless the text was written for `key` and holds only flags that the
// later steps add (`plausible_later_flags`).
std::optional<Args> parse_learnt_flags(const std::string& key, const std::string& text);
bool plausible_later_flags(const Args& flags);
std::optional<Args> recall_later_flags(const std::string& key);
// Keeps the flags for the key unless they are kept already; a file that
// cannot be written only costs time.
void remember_later_flags(const std::string& key, const Args& flags);

}  // namespace gnu
