// External names in the objects of the GNU mode: see naming.h.
#include "tools/gnu/naming.h"

#include <cstdint>
#include <cstdlib>

#include "tools/gnu/files.h"

namespace gnu {
namespace {

bool letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool name_char(char c) { return letter(c) || (c >= '0' && c <= '9') || c == '_' || c == '$'; }

// The Fortran name of a symbol that has gfortran's shape of an external
// name (lower case, one '_' appended), or "" for any other symbol.
std::string fortran_name(const std::string& symbol) {
  if (symbol.size() < 2 || symbol.back() != '_' || !(symbol[0] >= 'a' && symbol[0] <= 'z')) return "";
  for (char c : symbol)
    if ((c >= 'A' && c <= 'Z') || !name_char(c)) return "";
  return symbol.substr(0, symbol.size() - 1);
}

// --- Naming from flags --------------------------------------------------------

std::optional<LetterCase> case_value(const std::string& value) {
  if (value == "UCS") return LetterCase::Upper;
  if (value == "LCS") return LetterCase::Lower;
  if (value == "ASIS") return LetterCase::AsWritten;
  return std::nullopt;
}

}  // namespace

bool Naming::gfortran_names() const {
  NameRule gfortran{LetterCase::Lower, "", "_"};
  return procedures == gfortran && commons == gfortran;
}

Naming naming_from_flags(const Args& front_end, const Args& code_generator) {
  LetterCase general = LetterCase::AsWritten;
  bool g77 = false;
  for (const std::string& flag : code_generator) {
    if (flag == "-N162") general = LetterCase::Upper;
    if (flag == "-N163") general = LetterCase::Lower;
    if (flag == "-N108") g77 = true;
  }
  Naming naming;
  naming.procedures = naming.commons = {general, "", g77 ? "_" : ""};
  for (const std::string& flag : front_end) {
    size_t eq = flag.find('=');
    if (!starts_with(flag, "-Y") || eq == std::string::npos) continue;
    std::string key = flag.substr(2, eq - 2), value = flag.substr(eq + 1);
    NameRule* rule = starts_with(key, "EXT_") ? &naming.procedures : starts_with(key, "COM_") ? &naming.commons : nullptr;
    if (!rule) continue;
    key = key.substr(4);
    if (key == "NAMES" && case_value(value)) rule->letter_case = *case_value(value);
    if (key == "SFX") rule->suffix = value;
    if (key == "PFX") rule->prefix = value;
  }
  return naming;
}

// --- The light scan of a source -----------------------------------------------

namespace {

struct Token {
  enum Kind { Name, String, Other } kind;
  std::string text;
};

// The tokens of a statement's line: names, string literals (their text) and
// single other characters; comments left out.
void tokenize(const std::string& line, std::vector<Token>* out) {
  for (size_t i = 0; i < line.size();) {
    char c = line[i];
    if (c == '!') return;
    if (letter(c)) {
      size_t start = i;
      while (i < line.size() && name_char(line[i])) ++i;
      out->push_back({Token::Name, line.substr(start, i - start)});
    } else if (c == '\'' || c == '"') {
      std::string text;
      for (++i; i < line.size(); ++i) {
        if (line[i] == c) {
          if (i + 1 < line.size() && line[i + 1] == c) {
            text += c;
            ++i;
            continue;
          }
          ++i;
          break;
        }
        text += line[i];
      }
      out->push_back({Token::String, text});
    } else {
      if (c != ' ' && c != '\t' && c != '\r') out->push_back({Token::Other, std::string(1, c)});
      ++i;
    }
  }
}

// The statements of a source as tokens, continuation lines joined.
std::vector<std::vector<Token>> statements(const std::string& text, bool fixed_form) {
  std::vector<std::vector<Token>> result;
  bool continues = false;
  for (const std::string& line : split(text, '\n')) {
    std::vector<Token> tokens;
    bool continuation = false;
    if (fixed_form) {
      if (line.empty() || line[0] == 'c' || line[0] == 'C' || line[0] == '*' || line[0] == '!') continue;
      continuation = line.size() > 5 && line[5] != ' ' && line[5] != '0' && line[0] != '\t';
      tokenize(line.size() > 6 && line[0] != '\t' ? line.substr(6) : line, &tokens);
    } else {
      tokenize(line, &tokens);
      if (tokens.empty()) continue;
      continuation = continues;
      if (tokens.front().text == "&") tokens.erase(tokens.begin());
      continues = !tokens.empty() && tokens.back().text == "&";
      if (continues) tokens.pop_back();
    }
    if (continuation && !result.empty())
      result.back().insert(result.back().end(), tokens.begin(), tokens.end());
    else if (!tokens.empty())
      result.push_back(tokens);
  }
  return result;
}

bool is_keyword(const Token& token, const char* word) {
  return token.kind == Token::Name && lower(token.text) == word;
}

}  // namespace

SourceNames scan_source(const std::string& text, SourceForm form) {
  SourceNames names;
  std::set<std::string> defined;
  for (const std::vector<Token>& tokens : statements(text, form == SourceForm::Fixed)) {
    bool common = !tokens.empty() && is_keyword(tokens[0], "common");
    bool bind_c = false;
    for (size_t i = 0; i + 2 < tokens.size(); ++i)
      if (is_keyword(tokens[i], "bind") && tokens[i + 1].text == "(" && is_keyword(tokens[i + 2], "c")) bind_c = true;
    for (size_t i = 0; i < tokens.size(); ++i) {
      const Token& token = tokens[i];
      if (bind_c && token.kind == Token::String && i >= 2 && tokens[i - 1].text == "=" &&
          is_keyword(tokens[i - 2], "name")) {
        size_t first = token.text.find_first_not_of(' '), last = token.text.find_last_not_of(' ');
        if (first != std::string::npos) names.bound.insert(token.text.substr(first, last - first + 1));
      }
      if (token.kind != Token::Name) continue;
      std::string key = lower(token.text);
      // A bind(c) procedure without a name= is known by its own name.
      if (bind_c) names.bound.insert(key);
      bool definition = (i > 0 && (is_keyword(tokens[i - 1], "subroutine") || is_keyword(tokens[i - 1], "function") ||
                                   is_keyword(tokens[i - 1], "entry"))) ||
                        (common && i > 0 && tokens[i - 1].text == "/" && i + 1 < tokens.size() &&
                         tokens[i + 1].text == "/");
      if (definition && defined.insert(key).second)
        names.spelling[key] = token.text;
      else if (!names.spelling.count(key))
        names.spelling[key] = token.text;
    }
  }
  return names;
}

std::optional<std::string> suite_name(const Naming& naming, const SourceNames& source, SymbolKind kind,
                                      const std::string& symbol, const std::string& decoration) {
  if (!starts_with(symbol, decoration.c_str())) return std::nullopt;
  std::string bare = symbol.substr(decoration.size());
  std::string name = fortran_name(bare);
  if (name.empty() || source.bound.count(bare)) return std::nullopt;
  const NameRule& rule = kind == SymbolKind::Procedure ? naming.procedures : naming.commons;
  std::string spelt;
  switch (rule.letter_case) {
    case LetterCase::Upper: spelt = upper(name); break;
    case LetterCase::Lower: spelt = name; break;
    case LetterCase::AsWritten: {
      auto found = source.spelling.find(name);
      spelt = found == source.spelling.end() ? upper(name) : found->second;
      break;
    }
  }
  std::string result = decoration + rule.prefix + spelt + rule.suffix;
  if (result == symbol) return std::nullopt;
  return result;
}

// --- Object files -------------------------------------------------------------

namespace {

uint64_t get(const std::string& b, size_t at, int size) {
  uint64_t v = 0;
  for (int i = size - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
  return v;
}

void put(std::string* b, size_t at, int size, uint64_t v) {
  for (int i = 0; i < size; ++i) (*b)[at + i] = static_cast<char>((v >> (8 * i)) & 0xff);
}

std::string cstring(const std::string& b, size_t at, size_t end) {
  if (at >= end) return "";
  size_t stop = b.find('\0', at);
  return b.substr(at, (stop == std::string::npos || stop > end ? end : stop) - at);
}

// A table of strings as ELF and COFF keep them: new strings appended, each
// once.
struct StringTable {
  std::string bytes;
  std::map<std::string, size_t> added;
  size_t add(const std::string& text) {
    auto found = added.find(text);
    if (found != added.end()) return found->second;
    size_t at = bytes.size();
    bytes += text;
    bytes += '\0';
    added[text] = at;
    return at;
  }
};

// Field offsets and sizes of the two ELF classes.
struct ElfLayout {
  int word;                                    // 4 or 8
  size_t shoff, shentsize, shnum;              // header
  size_t sh_type, sh_offset, sh_size, sh_link, sh_info, sh_entsize;
  size_t sym_size, st_name, st_info, st_shndx, st_value;
};
const ElfLayout Elf32 = {4, 0x20, 0x2E, 0x30, 4, 16, 20, 24, 28, 36, 16, 0, 12, 14, 4};
const ElfLayout Elf64 = {8, 0x28, 0x3A, 0x3C, 4, 24, 32, 40, 44, 56, 24, 0, 4, 6, 8};

const unsigned SHT_SYMTAB = 2, SHT_SYMTAB_SHNDX = 18;
const unsigned SHN_UNDEF = 0, SHN_LORESERVE = 0xff00, SHN_COMMON = 0xfff2;
const unsigned STB_GLOBAL = 1, STT_OBJECT = 1, STT_COMMON = 5;

bool damaged(std::string* error, const char* what) {
  *error = std::string("the object's ") + what + " is damaged";
  return false;
}

bool rename_elf(std::string* object, const Naming& naming, const SourceNames& source, Renamed* done,
                std::string* error) {
  std::string& b = *object;
  if (b.size() < 64 || b[5] != 1 || (b[4] != 1 && b[4] != 2)) {
    *error = "not a little-endian ELF object";
    return false;
  }
  const ElfLayout& L = b[4] == 2 ? Elf64 : Elf32;
  if (get(b, 16, 2) != 1) {
    *error = "not a relocatable ELF object";
    return false;
  }
  uint64_t shoff = get(b, L.shoff, L.word), shentsize = get(b, L.shentsize, 2), shnum = get(b, L.shnum, 2);
  if (shentsize < L.sh_entsize + L.word || shoff > b.size() || shnum * shentsize > b.size() - shoff)
    return damaged(error, "section table");
  auto section = [&](uint64_t i) { return shoff + i * shentsize; };
  uint64_t symtab = 0;
  for (uint64_t i = 1; i < shnum; ++i) {
    unsigned type = static_cast<unsigned>(get(b, section(i) + L.sh_type, 4));
    if (type == SHT_SYMTAB) symtab = i;
    if (type == SHT_SYMTAB_SHNDX) {
      *error = "an ELF object with extended section indices";
      return false;
    }
  }
  if (symtab == 0) return true;
  uint64_t sym_off = get(b, section(symtab) + L.sh_offset, L.word);
  uint64_t sym_size = get(b, section(symtab) + L.sh_size, L.word);
  uint64_t strtab = get(b, section(symtab) + L.sh_link, 4);
  if (strtab == 0 || strtab >= shnum || sym_off > b.size() || sym_size > b.size() - sym_off || sym_size % L.sym_size)
    return damaged(error, "symbol table");
  uint64_t str_off = get(b, section(strtab) + L.sh_offset, L.word);
  uint64_t str_size = get(b, section(strtab) + L.sh_size, L.word);
  if (str_off > b.size() || str_size > b.size() - str_off) return damaged(error, "string table");

  std::string symbols = b.substr(sym_off, sym_size);
  StringTable strings{b.substr(str_off, str_size), {}};
  auto global = [&](size_t at) { return (static_cast<unsigned char>(symbols[at + L.st_info]) >> 4) == STB_GLOBAL; };
  auto name_of = [&](size_t at) { return cstring(strings.bytes, get(symbols, at + L.st_name, 4), str_size); };
  std::set<std::string> names;
  for (size_t at = 0; at < symbols.size(); at += L.sym_size)
    if (global(at)) names.insert(name_of(at));
  std::string aliases;
  for (size_t at = 0; at < symbols.size(); at += L.sym_size) {
    unsigned info = static_cast<unsigned char>(symbols[at + L.st_info]);
    unsigned shndx = static_cast<unsigned>(get(symbols, at + L.st_shndx, 2));
    if (!global(at)) continue;
    uint64_t name_at = get(symbols, at + L.st_name, 4);
    std::string name = name_of(at);
    unsigned type = info & 0xf;
    bool common = shndx == SHN_COMMON || type == STT_OBJECT || type == STT_COMMON;
    std::optional<std::string> suite =
        suite_name(naming, source, common ? SymbolKind::Common : SymbolKind::Procedure, name, "");
    // A name the object has already is the alias of one renamed before.
    if (!suite || names.count(*suite)) continue;
    put(&symbols, at + L.st_name, 4, strings.add(*suite));
    done->renamed.push_back({name, *suite});
    if (shndx == SHN_UNDEF || shndx >= SHN_LORESERVE) continue;  // undefined, common or absolute
    std::string alias = symbols.substr(at, L.sym_size);
    put(&alias, L.st_name, 4, name_at);
    aliases += alias;
    done->aliases.push_back(name);
  }
  if (done->renamed.empty()) return true;
  symbols += aliases;
  // The new tables go at the end of the file, the symbols aligned as their
  // section asks; the old ones stay, unused.
  while (b.size() % 8) b += '\0';
  put(&b, section(symtab) + L.sh_offset, L.word, b.size());
  put(&b, section(symtab) + L.sh_size, L.word, symbols.size());
  b += symbols;
  put(&b, section(strtab) + L.sh_offset, L.word, b.size());
  put(&b, section(strtab) + L.sh_size, L.word, strings.bytes.size());
  b += strings.bytes;
  return true;
}

const size_t CoffSymbol = 18;
const unsigned IMAGE_SYM_CLASS_EXTERNAL = 2, IMAGE_SYM_DTYPE_FUNCTION = 0x20;

bool rename_coff(std::string* object, const Naming& naming, const SourceNames& source, Renamed* done,
                 std::string* error) {
  std::string& b = *object;
  unsigned machine = static_cast<unsigned>(get(b, 0, 2));
  std::string decoration = machine == 0x14c ? "_" : "";
  uint64_t sym_off = get(b, 8, 4), count = get(b, 12, 4);
  if (sym_off < 20 || sym_off > b.size() || count > (b.size() - sym_off) / CoffSymbol)
    return damaged(error, "symbol table");
  uint64_t str_off = sym_off + count * CoffSymbol;
  uint64_t str_size = str_off + 4 <= b.size() ? get(b, str_off, 4) : 0;
  if (str_size < 4 || str_size > b.size() - str_off) return damaged(error, "string table");

  std::string symbols = b.substr(sym_off, count * CoffSymbol);
  StringTable strings{b.substr(str_off, str_size), {}};
  auto name_of = [&](const std::string& table, size_t at) {
    if (get(table, at, 4) == 0) return cstring(strings.bytes, get(table, at + 4, 4), str_size);
    return cstring(table, at, at + 8);
  };
  auto set_name = [&](std::string* table, size_t at, const std::string& name) {
    if (name.size() <= 8) {
      std::string field = name + std::string(8 - name.size(), '\0');
      table->replace(at, 8, field);
    } else {
      put(table, at, 4, 0);
      put(table, at + 4, 4, strings.add(name));
    }
  };
  auto external = [&](size_t at) { return static_cast<unsigned char>(symbols[at + 16]) == IMAGE_SYM_CLASS_EXTERNAL; };
  auto next = [&](size_t at) { return at + CoffSymbol * (1 + static_cast<unsigned char>(symbols[at + 17])); };
  std::set<std::string> names;
  for (size_t at = 0; at < symbols.size(); at = next(at))
    if (external(at)) names.insert(name_of(symbols, at));
  std::string aliases;
  uint64_t added = 0;
  for (size_t at = 0; at < symbols.size(); at = next(at)) {
    if (!external(at)) continue;
    std::string name = name_of(symbols, at);
    int16_t section = static_cast<int16_t>(get(symbols, at + 12, 2));
    unsigned type = static_cast<unsigned>(get(symbols, at + 14, 2));
    uint64_t value = get(symbols, at + 8, 4);
    bool common = section == 0 ? value != 0 : (type & 0x30) != IMAGE_SYM_DTYPE_FUNCTION;
    std::optional<std::string> suite =
        suite_name(naming, source, common ? SymbolKind::Common : SymbolKind::Procedure, name, decoration);
    if (!suite || names.count(*suite)) continue;
    std::string original = symbols.substr(at, 8);
    set_name(&symbols, at, *suite);
    done->renamed.push_back({name, *suite});
    if (section <= 0) continue;  // undefined, common, absolute or debugging
    std::string alias = symbols.substr(at, CoffSymbol);
    alias.replace(0, 8, original);
    alias[17] = 0;
    aliases += alias;
    ++added;
    done->aliases.push_back(name);
  }
  if (done->renamed.empty()) return true;
  put(&strings.bytes, 0, 4, strings.bytes.size());
  // The symbol and string tables end the object as the assembler writes it;
  // anything after them is kept in front of the new ones.
  if (str_off + str_size == b.size())
    b.resize(sym_off);
  else
    sym_off = b.size();
  put(&b, 8, 4, sym_off);
  put(&b, 12, 4, count + added);
  b += symbols + aliases + strings.bytes;
  return true;
}

}  // namespace

bool rename_symbols(std::string* object, const Naming& naming, const SourceNames& source, Renamed* done,
                    std::string* error) {
  *done = Renamed();
  std::string copy = *object;
  bool ok;
  if (copy.size() >= 4 && copy.compare(0, 4, "\x7f" "ELF") == 0) {
    ok = rename_elf(&copy, naming, source, done, error);
  } else if (copy.size() >= 20 && (get(copy, 0, 2) == 0x14c || get(copy, 0, 2) == 0x8664)) {
    ok = rename_coff(&copy, naming, source, done, error);
  } else {
    *error = "not an ELF or COFF object";
    ok = false;
  }
  if (!ok) {
    *done = Renamed();
    return false;
  }
  *object = copy;
  return true;
}

// --- The link ---------------------------------------------------------------

namespace {

const unsigned SHT_DYNSYM = 11, STB_WEAK = 2;

bool elf_symbols(const std::string& b, LinkSymbols* symbols) {
  if (b.size() < 64 || b[5] != 1 || (b[4] != 1 && b[4] != 2)) return false;
  const ElfLayout& L = b[4] == 2 ? Elf64 : Elf32;
  uint64_t type = get(b, 16, 2);
  if (type != 1 && type != 3) return false;
  unsigned wanted = type == 1 ? SHT_SYMTAB : SHT_DYNSYM;
  uint64_t shoff = get(b, L.shoff, L.word), shentsize = get(b, L.shentsize, 2), shnum = get(b, L.shnum, 2);
  if (shentsize < L.sh_entsize + L.word || shoff > b.size() || shnum * shentsize > b.size() - shoff) return false;
  for (uint64_t i = 1; i < shnum; ++i) {
    size_t header = shoff + i * shentsize;
    if (get(b, header + L.sh_type, 4) != wanted) continue;
    uint64_t off = get(b, header + L.sh_offset, L.word), size = get(b, header + L.sh_size, L.word);
    uint64_t link = get(b, header + L.sh_link, 4);
    if (link == 0 || link >= shnum || off > b.size() || size > b.size() - off) return false;
    size_t strings = shoff + link * shentsize;
    uint64_t str_off = get(b, strings + L.sh_offset, L.word), str_size = get(b, strings + L.sh_size, L.word);
    if (str_off > b.size() || str_size > b.size() - str_off) return false;
    for (uint64_t at = off; at + L.sym_size <= off + size; at += L.sym_size) {
      unsigned bind = static_cast<unsigned char>(b[at + L.st_info]) >> 4;
      if (bind != STB_GLOBAL && bind != STB_WEAK) continue;
      std::string name = cstring(b, str_off + get(b, at + L.st_name, 4), str_off + str_size);
      if (get(b, at + L.st_shndx, 2) == SHN_UNDEF)
        symbols->undefined.insert(name);
      else
        (type == 1 ? symbols->defined : symbols->dynamic).insert(name);
    }
  }
  return true;
}

bool coff_symbols(const std::string& b, LinkSymbols* symbols) {
  uint64_t sym_off = get(b, 8, 4), count = get(b, 12, 4);
  if (sym_off < 20 || sym_off > b.size() || count > (b.size() - sym_off) / CoffSymbol) return false;
  uint64_t str_off = sym_off + count * CoffSymbol;
  uint64_t str_size = str_off + 4 <= b.size() ? get(b, str_off, 4) : 0;
  if (str_size > b.size() - str_off) return false;
  for (size_t i = 0; i < count; i += 1 + static_cast<unsigned char>(b[sym_off + i * CoffSymbol + 17])) {
    size_t at = sym_off + i * CoffSymbol;
    if (static_cast<unsigned char>(b[at + 16]) != IMAGE_SYM_CLASS_EXTERNAL) continue;
    std::string name = get(b, at, 4) == 0 ? cstring(b, str_off + get(b, at + 4, 4), str_off + str_size)
                                          : cstring(b, at, at + 8);
    bool undefined = get(b, at + 12, 2) == 0 && get(b, at + 8, 4) == 0;
    (undefined ? symbols->undefined : symbols->defined).insert(name);
  }
  return true;
}

// The names of an archive's index: a count and as many offsets, big-endian
// words, then the names.
void archive_index(const std::string& b, size_t word, LinkSymbols* symbols) {
  auto big_endian = [&](size_t at) {
    uint64_t v = 0;
    for (size_t i = 0; i < word; ++i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
  };
  if (b.size() < word) return;
  uint64_t count = big_endian(0);
  if (count > (b.size() - word) / word) return;
  for (size_t at = word + count * word; at < b.size();) {
    std::string symbol = cstring(b, at, b.size());
    symbols->defined.insert(symbol);
    at += symbol.size() + 1;
  }
}

bool read_symbols(const std::string& bytes, LinkSymbols* symbols, bool member);

// An archive: the names of its first index (the GNU format's "/", or
// "/SYM64/" of large archives; a Windows library's second index is left
// out) and what its members define and refer to. The members of a thin
// archive are files of their own, which only its index speaks for.
bool archive_symbols(const std::string& b, LinkSymbols* symbols) {
  const size_t header = 60;
  bool thin = b.compare(0, 8, "!<thin>\n") == 0, indexed = false;
  for (size_t at = 8; at + header <= b.size();) {
    std::string name = b.substr(at, 16);
    uint64_t size = std::strtoull(b.substr(at + 48, 10).c_str(), nullptr, 10);
    size_t start = at + header;
    bool index = name == "/               " || name == "/SYM64/         ", names = name.compare(0, 2, "//") == 0;
    if (thin && !index && !names) size = 0;
    if (size > b.size() - start) return false;
    if (index && !indexed) archive_index(b.substr(start, size), name[1] == ' ' ? 4 : 8, symbols);
    indexed |= index;
    if (!index && !names) read_symbols(b.substr(start, size), symbols, true);
    at = start + size + (size & 1);
  }
  return true;
}

}  // namespace

bool read_link_symbols(const std::string& bytes, LinkSymbols* symbols) { return read_symbols(bytes, symbols, false); }

namespace {

bool read_symbols(const std::string& bytes, LinkSymbols* symbols, bool member) {
  if (!member && (bytes.compare(0, 8, "!<arch>\n") == 0 || bytes.compare(0, 8, "!<thin>\n") == 0))
    return archive_symbols(bytes, symbols);
  if (bytes.size() >= 4 && bytes.compare(0, 4, "\x7f" "ELF") == 0) return elf_symbols(bytes, symbols);
  if (bytes.size() >= 20 && (get(bytes, 0, 2) == 0x14c || get(bytes, 0, 2) == 0x8664))
    return coff_symbols(bytes, symbols);
  return false;
}

bool suite_shape(const std::string& name) {
  if (name.empty() || !letter(name[0]) || name.back() == '_') return false;
  bool upper = false, lower = false;
  for (char c : name) {
    if (!name_char(c)) return false;
    upper |= c >= 'A' && c <= 'Z';
    lower |= c >= 'a' && c <= 'z';
  }
  return !(upper && lower);
}

}  // namespace

LinkAliases link_aliases(const LinkSymbols& symbols, const std::string& decoration) {
  LinkAliases aliases;
  for (const std::string& wanted : symbols.undefined) {
    if (symbols.defined.count(wanted) || symbols.dynamic.count(wanted) || !starts_with(wanted, decoration.c_str()))
      continue;
    std::string bare = wanted.substr(decoration.size()), name = fortran_name(bare);
    // gfortran's name of the suite's, or the suite's names (default, then
    // lower case) of gfortran's.
    Args others;
    if (!name.empty())
      others = {upper(name), name};
    else if (suite_shape(bare) && (bare != lower(bare) || !symbols.defined.count(decoration + upper(bare))))
      // A lower-case name is also a C library's ("exit"): gfortran's name
      // is taken for it only from code not compiled with the default
      // naming (that keeps "exit_" beside "EXIT"), a plain gfortran library.
      others = {lower(bare) + "_"};
    for (const std::string& other : others) {
      std::string symbol = decoration + other;
      if (symbols.defined.count(symbol)) {
        aliases.defsym.push_back({wanted, symbol});
        break;
      }
      if (symbols.dynamic.count(symbol)) {
        aliases.stubs.push_back({wanted, symbol});
        break;
      }
    }
  }
  return aliases;
}

std::vector<std::string> alias_link_arguments(const LinkAliases& aliases) {
  Args args;
  for (const auto& alias : aliases.defsym) {
    // -u takes the definition out of an archive, which --defsym alone does not.
    args.push_back("-Wl,-u," + alias.second);
    args.push_back("-Wl,--defsym=" + alias.first + "=" + alias.second);
  }
  return args;
}

std::string stub_assembly(const LinkAliases& aliases) {
  std::string text = "\t.text\n";
  for (const auto& stub : aliases.stubs)
    text += "\t.globl " + stub.first + "\n\t.type " + stub.first + ", @function\n" + stub.first + ":\n\tjmp " +
            stub.second + "@PLT\n";
  return text + "\t.section .note.GNU-stack,\"\",@progbits\n";
}

}  // namespace gnu
