// The manual (doc/f90.1.md) and the option tables agree: every option that a
// handler's table holds is in the manual, shown in its form (bold option,
// italic value attached or after a blank), and every option that the manual
// shows in bold is one that a table holds.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "driver/general_options.h"
#include "fortran_opts/option_table.h"

namespace {

// How the manual must show an option: "**-c**", "**-D***macro*" or
// "**-D** *macro*".
enum class Shown { Bare, Attached, Separate };

struct TableOption {
  std::string spelling;  // the prefix ('-' or '+') and the key
  Shown shown;
};

Shown shown_as(Form form) {
  if (form == Form::Exact) return Shown::Bare;
  return form == Form::Separate ? Shown::Separate : Shown::Attached;
}

Shown shown_as(GeneralForm form) {
  if (form == GeneralForm::Exact) return Shown::Bare;
  return form == GeneralForm::Separate ? Shown::Separate : Shown::Attached;
}

std::vector<TableOption> table_options() {
  std::vector<TableOption> all;
  for (const OptionFamily* family : {&ModulePathHandlerOptions, &LinkerOptionTables, &SourceOptions,
                                     &SwitchOptions, &PassOnOptions, &MessageOptions, &LoopOptions,
                                     &ModulePathOptions})
    for (size_t t = 0; t < family->count; ++t)
      for (size_t i = 0; i < family->tables[t].count; ++i) {
        const FortranOption& o = family->tables[t].entries[i];
        all.push_back({std::string("-") + o.key, shown_as(o.form)});
      }
  for (const char* key : FortranPlusKeys) all.push_back({std::string("+") + key, Shown::Bare});
  for (const auto& [table, prefix] : {std::pair{&GeneralMinusGroup, "-"}, std::pair{&GeneralPlusGroup, "+"}})
    for (size_t i = 0; i < table->count; ++i)
      all.push_back({prefix + std::string(table->entries[i].key), shown_as(table->entries[i].form)});
  return all;
}

std::string manual_source() {
  std::ifstream in(F90_MANUAL_SOURCE);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(Manual, NamesEveryOptionOfTheTablesInItsForm) {
  const std::string manual = manual_source();
  ASSERT_NE(manual.find("# OPTIONS"), std::string::npos) << "cannot read " << F90_MANUAL_SOURCE;
  std::vector<TableOption> options = table_options();
  EXPECT_GT(options.size(), 150u);
  for (const TableOption& o : options) {
    std::string bold = "**" + o.spelling + "**";
    bool found = false;
    for (size_t at = manual.find(bold); at != std::string::npos && !found;
         at = manual.find(bold, at + 1)) {
      std::string after = manual.substr(at + bold.size(), 2);
      switch (o.shown) {
        case Shown::Bare: found = after.empty() || after[0] != '*'; break;
        case Shown::Attached: found = after.size() > 1 && after[0] == '*' && after[1] != '*'; break;
        case Shown::Separate: found = after == " *"; break;
      }
    }
    const char* form = o.shown == Shown::Bare ? "" : o.shown == Shown::Attached ? "*value*" : " *value*";
    EXPECT_TRUE(found) << "the manual does not show " << bold << form;
  }
}

// "-cpu:486" is taken by the entry "cpu:", "-LIB" by the attached "L".
bool taken_by_a_table(const std::string& word, const std::vector<TableOption>& options) {
  char group = word[0] == '!' ? '+' : word[0] == '/' ? '-' : word[0];
  std::string spelling = group + word.substr(1);
  for (const TableOption& o : options) {
    if (o.spelling == spelling) return true;
    if (o.shown != Shown::Bare && spelling.size() > o.spelling.size() &&
        spelling.compare(0, o.spelling.size(), o.spelling) == 0)
      return true;
  }
  return false;
}

TEST(Manual, ShowsNoOptionThatNoTableHolds) {
  const std::string manual = manual_source();
  std::vector<TableOption> options = table_options();
  const std::regex bold(R"(\*\*([^*]+)\*\*)");
  int checked = 0;
  for (auto m = std::sregex_iterator(manual.begin(), manual.end(), bold); m != std::sregex_iterator(); ++m) {
    std::istringstream words((*m)[1].str());
    std::string word;
    while (words >> word) {
      if (word.size() < 2 || std::string("-+!/").find(word[0]) == std::string::npos) continue;
      if (word == "-help") continue;  // the intake's, before any handler
      ++checked;
      EXPECT_TRUE(taken_by_a_table(word, options)) << "the manual shows " << word << ", which no handler takes";
    }
  }
  EXPECT_GT(checked, 200);
}

}  // namespace
