// The ".bif" and ".int" files of the GNU mode: a first line that says which
// of the two a file is, then one "key value" line per item. Values are
// written with backslash escapes for backslash, line feed and carriage
// return, so that any file name or flag survives the trip.
#include <sstream>

#include "tools/gnu_tools.h"

namespace gnu {
namespace {

const char* header(UnitKind kind) {
  return kind == UnitKind::FrontEnd ? "f90 gnu front-end unit 1" : "f90 gnu transformed unit 1";
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
  std::string text = header(kind);
  text += "\nsource " + escape(unit.source) + "\nlanguage " + escape(unit.language) + "\n";
  for (const std::string& flag : unit.flags) text += "flag " + escape(flag) + "\n";
  return text;
}

std::optional<Unit> parse_unit(UnitKind kind, const std::string& text) {
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line) || line != header(kind)) return std::nullopt;
  Unit unit;
  bool have_source = false, have_language = false;
  while (std::getline(in, line)) {
    size_t blank = line.find(' ');
    if (blank == std::string::npos) return std::nullopt;
    std::string key = line.substr(0, blank);
    std::optional<std::string> value = unescape(line.substr(blank + 1));
    if (!value) return std::nullopt;
    if (key == "source" && !have_source) {
      unit.source = *value;
      have_source = true;
    } else if (key == "language" && !have_language) {
      unit.language = *value;
      have_language = true;
    } else if (key == "flag") {
      unit.flags.push_back(*value);
    } else {
      return std::nullopt;
    }
  }
  if (!have_source || unit.source.empty() || !have_language || unit.language.empty())
    return std::nullopt;
  return unit;
}

}  // namespace gnu
