// The later steps' flags that the tools learn across runs. A build system
// runs f90 once per source, with the same options for hundreds of sources;
// the front end sees only part of them (-O1 and -O3 look like -O0 and -O2 to
// it, -g not at all). So the code generator keeps the flags it used, in the
// tools' cache directory, under what the front end saw: its arguments but the
// intermediate file and the source, and its current directory. The front end
// of a later run with the same key compiles with those flags, and the code
// generator finds the object it wants.
//
// Nothing here is needed for a correct object: the code generator compares
// the flags the front end's object was really made with against its own and
// compiles again when they differ, so a missing, stale, foreign or damaged
// file only costs that second compile. A file is replaced by renaming a
// complete one over it, so that concurrent runs (make -j) read the old or the
// new text, never a mixture.
#include "tools/gnu/learnt_flags.h"

#include "tools/gnu/cache.h"
#include "tools/gnu/unit_file.h"

namespace gnu {
namespace {

// A flag of the later steps with a number: the prefix, then at most nine digits.
bool digits_after(const std::string& flag, const std::string& prefix) {
  return flag.compare(0, prefix.size(), prefix) == 0 && flag.size() <= prefix.size() + 9 &&
         parse_digits(flag.substr(prefix.size()), 10, ~0ULL, Beyond::Refused);
}

}  // namespace

bool plausible_later_flags(const Args& flags) {
  for (const std::string& f : flags)
    if (f != "-O0" && f != "-O1" && f != "-O2" && f != "-O3" && f != "-g" && f != "-funroll-loops" &&
        f != "-floop-interchange" && !digits_after(f, "--param=max-unroll-times=") &&
        !digits_after(f, "--param=max-unrolled-insns="))
      return false;
  return true;
}

std::string learnt_flags_key(const Args& front_end_args) {
  // One line each (an argument with a line break in it could make two keys
  // alike: that only costs a wrong guess).
  std::string key = absolute_path(".");
  for (size_t i = 0; i + 2 < front_end_args.size(); ++i) key += "\n" + front_end_args[i];
  return key;
}

std::string learnt_flags_path(const std::string& key) { return cache_file("later-steps-", key); }

std::string format_learnt_flags(const std::string& key, const Args& flags) {
  Args items = {key};
  items.insert(items.end(), flags.begin(), flags.end());
  return format_flag_list(items);
}

std::optional<Args> parse_learnt_flags(const std::string& key, const std::string& text) {
  std::optional<Args> items = parse_flag_list(text);
  if (!items || items->empty() || (*items)[0] != key) return std::nullopt;
  Args flags(items->begin() + 1, items->end());
  if (!plausible_later_flags(flags)) return std::nullopt;
  return flags;
}

std::optional<Args> recall_later_flags(const std::string& key) {
  // Not a file (a directory, a pipe): nothing kept.
  std::string text;
  if (key.empty() || !read_text(learnt_flags_path(key), &text)) return std::nullopt;
  return parse_learnt_flags(key, text);
}

void remember_later_flags(const std::string& key, const Args& flags) {
  if (key.empty() || recall_later_flags(key) == flags) return;
  std::string path = learnt_flags_path(key);
  if (!path.empty()) replace_file(path, format_learnt_flags(key, flags));
}

}  // namespace gnu
