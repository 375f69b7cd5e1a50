// The manual (doc/f90.1.md) and the option tables agree: every option of a
// handler's table is in the manual in its form ("**-c**", "**-D***macro*",
// "**-D** *macro*"), and every option the manual shows in bold is in a table.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "driver/general_options.h"
#include "fortran_opts/option_table.h"

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

}  // namespace
