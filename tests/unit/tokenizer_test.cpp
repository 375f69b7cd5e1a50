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
      {"a b", {"a", "b"}},
      {"\"a b\"", {"a b"}},
      {"x\"a b\"y", {"xa by"}},
      {"'say \"hi\"'", {"say \"hi\""}},
      {"\"\"", {""}},
      {"a\"b c", {"a\"b", "c"}},
      {"", {}},
      {" \t ", {}},
      {"\ta\t\tb ", {"a", "b"}},
      {"a\\b \\\"c", {"a\\b", "\\\"c"}},         // backslashes are ordinary
      {"'a b'\"c d\"", {"a bc d"}},               // two sections, one argument
      {"\"it's\" x", {"it's", "x"}},              // the other quote kind is kept
      {"x'y'a\"b'c'd e", {"xya\"b'c'd", "e"}},    // unquoting stops at a lone quote
      {"a' b c", {"a'", "b", "c"}},               // lone apostrophe
      {"\"a\"\"b\"", {"ab"}},                     // adjacent sections
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
  EXPECT_STREQ(tool_suffix_for("f90_x.exe"), "_x");
  EXPECT_STREQ(tool_suffix_for("a_x"), "_x");
  EXPECT_STREQ(tool_suffix_for("F90_X.EXE"), "");
  EXPECT_STREQ(tool_suffix_for("f90_x.com"), "");
  EXPECT_STREQ(tool_suffix_for("_x"), "");
  EXPECT_STREQ(tool_suffix_for("_x.exe"), "");  // six characters, no more
}

}  // namespace
