// Splits a line of a default options or response file into arguments.
//
// Blanks and tabs separate. A quote character (" or ') that has a partner of
// the same kind later on the line opens a quoted section running to that
// partner, blanks included; an argument that had such a section loses its
// paired quotes. A quote without a partner is an ordinary character.
// Backslashes mean nothing. Every search moves forward, so a line of any
// length is split in time proportional to its length.
#include <cstring>
#include <string>

#include "driver/intake.h"

namespace {

bool is_separator(char c) { return c == ' ' || c == '\t'; }

// The argument with its paired quotes removed: take the first quote at or
// after the position; if the same character occurs again, drop both and go
// on after the former closing quote, else stop.
std::string remove_quotes(const char* arg, size_t len) {
  std::string out;
  out.reserve(len);
  size_t pos = 0;
  while (pos < len) {
    size_t q = pos;
    while (q < len && arg[q] != '"' && arg[q] != '\'') ++q;
    if (q == len) break;
    const void* partner = std::memchr(arg + q + 1, arg[q], len - q - 1);
    if (!partner) break;
    size_t close = static_cast<size_t>(static_cast<const char*>(partner) - arg);
    out.append(arg + pos, q - pos);
    out.append(arg + q + 1, close - q - 1);
    pos = close + 1;
  }
  out.append(arg + pos, len - pos);
  return out;
}

}  // namespace

void tokenize_into(ArgList* list, ArgNode* before, char* line) {
  const size_t len = std::strlen(line);
  // Where each quote character is known not to occur again (a failed search
  // is never repeated further on).
  size_t no_more[2] = {len, len};
  size_t pos = 0;
  for (;;) {
    while (pos < len && is_separator(line[pos])) ++pos;
    if (pos >= len) return;
    const size_t start = pos;
    bool quoted = false;
    size_t end = pos;
    for (;;) {
      char c = line[end];
      if (end >= len || is_separator(c)) break;
      if (c == '"' || c == '\'') {
        size_t& limit = no_more[c == '\''];
        const void* partner =
            end < limit ? std::memchr(line + end + 1, c, len - end - 1) : nullptr;
        if (partner) {
          quoted = true;
          end = static_cast<size_t>(static_cast<const char*>(partner) - line) + 1;
          continue;
        }
        if (end < limit) limit = end;
        // No partner: the argument ends at the next separator.
        while (end < len && !is_separator(line[end])) ++end;
        break;
      }
      ++end;
    }
    arglist_insert_before(list, before, quoted ? remove_quotes(line + start, end - start)
                                               : std::string(line + start, end - start));
    pos = end < len ? end + 1 : len;
  }
}
