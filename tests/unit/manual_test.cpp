// The manual (doc/f90.1.md) and the option tables agree: every option of a
// handler's table is in the manual in its form ("**-c**", "**-D***macro*",
// "**-D** *macro*"), and every option the manual shows in bold is in a table.
// So do the GNU-backed tools' tables of flags and of link options with the
// documents that describe them (doc/gnu-tools.md, doc/windows.md, f90(1)).
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "driver/general_options.h"
#include "fortran_opts/option_table.h"
#include "tools/gnu/compile.h"
#include "tools/gnu/link.h"

namespace {

struct TableOption {
  std::string spelling;  // the prefix ('-' or '+') and the key
  std::string after;     // what follows it in the manual: "", "*" or " *"
};

template <typename F>
std::string after_for(F form) {
  return form == F::Exact ? "" : form == F::Separate ? " *" : "*";
}

std::vector<TableOption> table_options() {
  std::vector<TableOption> all;
  for (const OptionFamily* f : {&ModulePathHandlerOptions, &LinkerOptionTables, &SourceOptions, &SwitchOptions,
                                &PassOnOptions, &MessageOptions, &LoopOptions, &ModulePathOptions})
    for (const OptionTable* t = f->tables; t != f->tables + f->count; ++t)
      for (const FortranOption* o = t->entries; o != t->entries + t->count; ++o)
        all.push_back({std::string("-") + o->key, after_for(o->form)});
  for (const char* key : FortranPlusKeys) all.push_back({std::string("+") + key, ""});
  for (const auto& [table, prefix] : {std::pair{&GeneralMinusGroup, "-"}, std::pair{&GeneralPlusGroup, "+"}})
    for (const GeneralOption* o = table->entries; o != table->entries + table->count; ++o)
      all.push_back({prefix + std::string(o->key), after_for(o->form)});
  return all;
}

// Both ways: every table option in the manual in its form, and no option in
// the manual that no table holds.
TEST(Manual, AndTheOptionTablesAgree) {
  std::stringstream text;
  text << std::ifstream(F90_MANUAL_SOURCE).rdbuf();
  const std::string manual = text.str();
  ASSERT_NE(manual.find("# OPTIONS"), std::string::npos) << "cannot read " << F90_MANUAL_SOURCE;
  std::vector<TableOption> options = table_options();
  EXPECT_GT(options.size(), 150u);
  for (const TableOption& o : options) {
    // An italic value right after, after a blank, or none (no '*' next).
    std::string shown = "**" + o.spelling + "**" + o.after;
    bool found = false;
    for (size_t at = manual.find(shown); at != std::string::npos && !found; at = manual.find(shown, at + 1)) {
      char next = manual.c_str()[at + shown.size()];
      found = o.after.empty() ? next != '*' : next != '*' && next != ' ';
    }
    EXPECT_TRUE(found) << "the manual does not show " << shown << (o.after.empty() ? "" : "value*");
  }
  const std::regex bold(R"(\*\*([^*]+)\*\*)");
  int checked = 0;
  for (auto m = std::sregex_iterator(manual.begin(), manual.end(), bold); m != std::sregex_iterator(); ++m) {
    std::istringstream words((*m)[1].str());
    for (std::string word; words >> word;) {
      if (word.size() < 2 || std::string("-+!/").find(word[0]) == std::string::npos || word == "-help") continue;
      // "!" is "+", "/" is "-"; "-cpu:486" is the entry "cpu:", "-LIB" the attached "L".
      std::string spelling = (word[0] == '!' ? "+" : word[0] == '/' ? "-" : word.substr(0, 1)) + word.substr(1);
      bool held = false;
      for (const TableOption& o : options)
        held = held || spelling == o.spelling ||
               (!o.after.empty() && spelling.size() > o.spelling.size() &&
                spelling.compare(0, o.spelling.size(), o.spelling) == 0);
      EXPECT_TRUE(held) << "the manual shows " << word << ", which no handler takes";
      ++checked;
    }
  }
  EXPECT_GT(checked, 200);
}

std::string read_doc(const std::string& name) {
  std::stringstream text;
  text << std::ifstream(std::string(F90_DOC_DIR) + "/" + name).rdbuf();
  return text.str();
}

// From a heading ("## Name") to the next heading of the same or a higher level.
std::string section(const std::string& text, const std::string& heading) {
  size_t start = text.find("\n" + heading + "\n");
  EXPECT_NE(start, std::string::npos) << heading;
  if (start == std::string::npos) return "";
  size_t level = heading.find(' ');
  for (size_t at = text.find("\n#", start + 1); at != std::string::npos; at = text.find("\n#", at + 1)) {
    size_t hashes = text.find_first_not_of('#', at + 1) - at - 1;
    if (hashes <= level && text[at + 1 + hashes] == ' ') return text.substr(start, at - start);
  }
  return text.substr(start);
}

// The rows of a Markdown table: the first backticked text of the first
// column, then the cells after it.
std::vector<std::vector<std::string>> table_rows(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.compare(0, 3, "| `") != 0) continue;
    std::vector<std::string> cells = {line.substr(3, line.find('`', 3) - 3)};
    for (size_t bar = line.find(" | "); bar != std::string::npos; bar = line.find(" | ", bar + 1))
      cells.push_back(line.substr(bar + 3, line.find(" |", bar + 3) - bar - 3));
    rows.push_back(cells);
  }
  return rows;
}

// Each table of flags in its order, row for row.
TEST(Manual, AndTheGnuToolsFlagTablesAgree) {
  const std::string doc = read_doc("gnu-tools.md");
  const std::pair<const char*, gnu::Args> tables[] = {
      {"### The front end, ftfront", gnu::front_end_table_flags()},
      {"### The transformer, ixform", gnu::transformer_table_flags()},
      {"### The code generator, ocgen", gnu::code_generator_table_flags()},
  };
  for (const auto& [heading, flags] : tables) {
    gnu::Args shown;
    for (const auto& row : table_rows(section(doc, heading))) shown.push_back(row[0]);
    EXPECT_EQ(shown, flags) << heading;
  }
}

// Every row of the link table stands once in doc/windows.md's table and
// once among the terms of f90(1)'s link section, said to be dropped (or of
// no counterpart) exactly where the row does nothing; every option and
// library they show is a row, or a word that olink's request reads itself.
TEST(Manual, AndTheLinkTableAgree) {
  const std::vector<gnu::LinkOption> rows = gnu::link_option_rows();
  const gnu::Args request_words = {"-out:", "-lib", "-dll", "-exports:", "-PATH:", "-L", "-l", "-Wl,", "-rpath",
                                   "-rpath=", "-v"};
  auto index_of = [&rows](const gnu::LinkOption* row) {
    for (size_t i = 0; i < rows.size(); ++i)
      if (rows[i].name == row->name) return i;
    return rows.size();
  };
  std::vector<int> in_doc(rows.size()), in_manual(rows.size());
  for (const auto& cells : table_rows(section(read_doc("windows.md"), "## The link on each target"))) {
    const gnu::LinkOption* row = gnu::find_link_option(cells[0]);
    if (!row) {
      EXPECT_NE(std::find(request_words.begin(), request_words.end(), cells[0]), request_words.end()) << cells[0];
      continue;
    }
    ASSERT_EQ(cells.size(), 3u) << cells[0];
    ++in_doc[index_of(row)];
    for (auto column : {&gnu::LinkOption::host, &gnu::LinkOption::windows}) {
      std::string cell = cells[column == &gnu::LinkOption::host ? 1 : 2];
      const gnu::LinkOption* like = row;  // "as `x`": as x's row
      if (cell.compare(0, 4, "as `") == 0) like = gnu::find_link_option(cell.substr(4, cell.find('`', 4) - 4));
      ASSERT_TRUE(like) << cell;
      bool dropped = cell.compare(0, 7, "dropped") == 0 || (like != row && like->*column == nullptr);
      EXPECT_EQ(dropped, row->*column == nullptr) << cells[0] << ": " << cell;
    }
  }
  std::istringstream manual(section(read_doc("f90.1.md"), "# THE LINK ON EACH TARGET"));
  std::string term;
  for (std::string line; std::getline(manual, line);) {
    if (line.compare(0, 1, "`") == 0) term = line;
    if (line.compare(0, 4, ":   ") != 0) continue;
    for (size_t at = term.find('`'); at != std::string::npos; at = term.find('`', term.find('`', at + 1) + 1)) {
      const gnu::LinkOption* row = gnu::find_link_option(term.substr(at + 1, term.find('`', at + 1) - at - 1));
      if (!row) continue;
      ++in_manual[index_of(row)];
      EXPECT_EQ(line.find("No counterpart") != std::string::npos, row->windows == nullptr) << term;
    }
  }
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(in_doc[i], 1) << rows[i].name << " in doc/windows.md";
    EXPECT_EQ(in_manual[i], 1) << rows[i].name << " in f90(1)";
  }
}

}  // namespace
