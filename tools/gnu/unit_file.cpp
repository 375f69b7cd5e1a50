// The ".bif" and ".int" files of the GNU mode: a first line that says which
// of the two a file is, then one "key value" line per item. Values are
// written with backslash escapes for backslash, line feed and carriage
// return, so that any file name or flag survives the trip.
#include "tools/gnu/unit_file.h"

#include <sstream>

namespace gnu {
namespace {

const char* header(UnitKind kind) {
  return kind == UnitKind::FrontEnd ? "f90 gnu front-end unit 2" : "f90 gnu transformed unit 2";
}

std::string escape(const std::string& value) {
  std::string out;
  out.reserve(value.size());
  for (char c : value) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else
      out += c;
  }
  return out;
}

std::optional<std::string> unescape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\': out += '\\'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      default: return std::nullopt;
    }
  }
  return out;
}

}  // namespace

std::string format_unit(UnitKind kind, const Unit& unit) {
  std::string text = std::string(header(kind)) + "\n";
  auto item = [&text](const char* key, const std::string& value) {
    text += std::string(key) + " " + escape(value) + "\n";
  };
  item("source", unit.source);
  item("directory", unit.directory);
  item("language", unit.language);
  for (const std::string& flag : unit.flags) item("flag", flag);
  for (const std::string& flag : unit.later_flags) item("later-flag", flag);
  if (!unit.object.empty()) {
    item("object", unit.object);
    for (const std::string& flag : unit.object_flags) item("object-flag", flag);
    item("stamp", unit.stamp);
    item("diagnostics", unit.diagnostics);
  }
  if (!unit.learnt_key.empty()) item("learnt-key", unit.learnt_key);
  for (const std::string& flag : unit.naming) item("naming", flag);
  return text;
}

std::optional<Unit> parse_unit(UnitKind kind, const std::string& text) {
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line) || line != header(kind)) return std::nullopt;
  Unit unit;
  // Each single-valued key once at most, lists as often as they come.
  struct Single {
    const char* key;
    std::string* value;
    bool seen;
  } singles[] = {{"source", &unit.source, false},     {"directory", &unit.directory, false},
                 {"language", &unit.language, false}, {"object", &unit.object, false},
                 {"stamp", &unit.stamp, false},       {"diagnostics", &unit.diagnostics, false},
                 {"learnt-key", &unit.learnt_key, false}};
  const struct {
    const char* key;
    Args* list;
  } lists[] = {{"flag", &unit.flags}, {"later-flag", &unit.later_flags}, {"object-flag", &unit.object_flags},
                  {"naming", &unit.naming}};
  while (std::getline(in, line)) {
    size_t blank = line.find(' ');
    if (blank == std::string::npos) return std::nullopt;
    std::string key = line.substr(0, blank);
    std::optional<std::string> value = unescape(line.substr(blank + 1));
    if (!value) return std::nullopt;
    bool known = false;
    for (Single& single : singles)
      if (key == single.key) {
        if (single.seen) return std::nullopt;
        *single.value = *value;
        single.seen = known = true;
      }
    for (const auto& list : lists)
      if (key == list.key) {
        list.list->push_back(*value);
        known = true;
      }
    if (!known) return std::nullopt;
  }
  if (unit.source.empty() || unit.directory.empty() || unit.language.empty()) return std::nullopt;
  return unit;
}

std::string format_flag_list(const Args& flags) {
  std::string text = "f90 gnu later flags 1\n";
  for (const std::string& flag : flags) text += escape(flag) + "\n";
  return text;
}

std::optional<Args> parse_flag_list(const std::string& text) {
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line) || line != "f90 gnu later flags 1") return std::nullopt;
  Args flags;
  while (std::getline(in, line)) {
    std::optional<std::string> flag = unescape(line);
    if (!flag) return std::nullopt;
    flags.push_back(*flag);
  }
  return flags;
}

}  // namespace gnu
