// The driver's tokenizer for response files and default options, the
// splitting that inverts its quoting, and the tool suffix of the program name.
#include "driver/startup.h"
#include "platform/command_split.h"
#include "tests/unit/option_fixture.h"

namespace {

Strings tokens(const std::string& line) {
  ArgList* l = arglist_create();
  std::string copy = line;
  tokenize_into(l, nullptr, &copy[0]);
  Strings v = values(l);
  arglist_destroy(l);
  return v;
}

TEST(Tokenizer, QuotingRules) {
  struct Case {
    const char* line;
    Strings args;
  } cases[] = {
      // Backslashes are ordinary; two quoted sections make one argument; the
      // other quote kind is kept; unquoting stops at a lone quote.
      {"a b", {"a", "b"}}, {"\"a b\"", {"a b"}}, {"x\"a b\"y", {"xa by"}}, {"'say \"hi\"'", {"say \"hi\""}},
      {"\"\"", {""}}, {"a\"b c", {"a\"b", "c"}}, {"", {}}, {" \t ", {}}, {"\ta\t\tb ", {"a", "b"}},
      {"a\\b \\\"c", {"a\\b", "\\\"c"}}, {"'a b'\"c d\"", {"a bc d"}}, {"\"it's\" x", {"it's", "x"}},
      {"x'y'a\"b'c'd e", {"xya\"b'c'd", "e"}}, {"a' b c", {"a'", "b", "c"}}, {"\"a\"\"b\"", {"ab"}},
      {"p\"q r\"s\"t u\" v", {"pq rst u", "v"}},
  };
  for (const Case& c : cases) EXPECT_EQ(tokens(c.line), c.args) << "line: " << c.line;
}

TEST(Tokenizer, HugeLinesAreSplitInLinearTime) {
  // Many quoted sections without a blank, and many lone quotes: both would
  // be quadratic with a search restarted from the front each time.
  std::string glued;
  for (int i = 0; i < 200000; ++i) glued += "\"a\"";
  Strings v = tokens(glued);
  ASSERT_EQ(v.size(), 1u);
  EXPECT_EQ(v[0].size(), 200000u);

  std::string lone = "x\"";  // no partner anywhere on the line
  for (int i = 0; i < 200000; ++i) lone += " 'a'";
  v = tokens(lone);
  ASSERT_EQ(v.size(), 200001u);
  EXPECT_EQ(v[0], "x\"");
  EXPECT_EQ(v[200000], "a");
}

TEST(ToolSuffix, FromProgramName) {
  // "_x.exe" is six characters, no more.
  for (const auto& [name, suffix] : {std::pair{"f90_x.exe", "_x"}, {"a_x", "_x"}, {"F90_X.EXE", ""},
                                     {"f90_x.com", ""}, {"_x", ""}, {"_x.exe", ""}})
    EXPECT_STREQ(tool_suffix_for(name), suffix) << name;
}

}  // namespace
