// The GNU mode of the stand-in tools: its intermediate files, the argument
// shapes it refuses and how the mode is chosen. What each tool makes of the
// driver's flags is checked by the acceptance tests, which build and run
// real programs. The mode exists on POSIX only.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tools/gnu_backend.h"
#include "tools/gnu_tools.h"

using gnu::Args;

namespace {

std::string join(const Args& args) {
  std::string s;
  for (const std::string& a : args) s += "[" + a + "]";
  return s;
}

// --- Intermediate files ---------------------------------------------------

TEST(GnuUnitFile, AnyNameAndFlagSurvivesTheRoundTrip) {
  const std::vector<gnu::Unit> units = {
      {"/w/hello.f90", "f95", {}},
      {"/w/with blank/p q.f90", "f95-cpp-input", {"-DMSG=\"a b\"", "-I/x y"}},
      {"/w/line\nbreak.f", "f95", {"-Dx=\\n", "tail\\"}},
      {"/w/cr\r.f", "f95", {"", "\\\\", "\n\r"}},
  };
  for (const gnu::Unit& u : units)
    for (gnu::UnitKind kind : {gnu::UnitKind::FrontEnd, gnu::UnitKind::Transformed}) {
      std::optional<gnu::Unit> back = gnu::parse_unit(kind, gnu::format_unit(kind, u));
      ASSERT_TRUE(back) << u.source;
      EXPECT_EQ(back->source, u.source);
      EXPECT_EQ(back->language, u.language);
      EXPECT_EQ(back->flags, u.flags) << join(u.flags);
    }
}

TEST(GnuUnitFile, RejectsWhatItDidNotWrite) {
  const std::string good = gnu::format_unit(gnu::UnitKind::FrontEnd, {"/w/a.f90", "f95", {"-w"}});
  const std::string header = good.substr(0, good.find('\n') + 1);
  const std::vector<std::string> bad = {
      "",
      "ftfront output of: /bin/ftfront -F/t/a.bif a.f90\n",  // a recording-mode file
      gnu::format_unit(gnu::UnitKind::Transformed, {"/w/a.f90", "f95", {}}),
      header + "language f95\n",                             // no source
      header + "source /w/a.f90\n",                          // no language
      header + "source \nlanguage f95\n",                    // empty source
      header + "source /w/a.f90\nlanguage f95\nflag bad\\x\n",
      header + "source /w/a.f90\nlanguage f95\nflag trailing\\\n",
      header + "source /w/a.f90\nlanguage f95\nwhat ever\n",
      header + "source /w/a.f90\nlanguage f95\nnoblank\n",
      header + "source /w/a.f90\nsource /w/b.f90\nlanguage f95\n",
  };
  for (const std::string& text : bad)
    EXPECT_FALSE(gnu::parse_unit(gnu::UnitKind::FrontEnd, text)) << text;
  EXPECT_TRUE(gnu::parse_unit(gnu::UnitKind::FrontEnd, good));
}

// --- Argument shapes that no tool can work with ---------------------------------

TEST(GnuTools, MalformedArgumentsAreRefusedNotGuessed) {
  std::string error;
  const std::vector<Args> front = {{}, {"a.f90"}, {"-F", "a.f90"}, {"-F/t/x.bif", ""}, {"a.f90", "-F/t/x.bif"}};
  for (const Args& a : front) EXPECT_FALSE(gnu::plan_front_end(a, &error)) << join(a);
  const std::vector<Args> transform = {{}, {"-o", "x.int"}, {"x.bif", "-o", "x.int"}, {"-o", "", "x.bif"}};
  for (const Args& a : transform) EXPECT_FALSE(gnu::plan_transformer(a, &error)) << join(a);
  const std::vector<Args> codegen = {{"-o", "x.obj", "x.int"}, {"-o", "x.obj", "-j", "x.int"}, {"-i", "x.int", "-o", "x.obj"}};
  for (const Args& a : codegen) EXPECT_FALSE(gnu::parse_code_generator_args(a, &error)) << join(a);
  const std::vector<Args> cc = {{"-c", "a.c", "-o", "a.obj"}, {"-B", "-c", "a.c", "-o", "a.obj"}, {"-A", "a.c", "-o", "a.obj"}};
  for (const Args& a : cc) EXPECT_FALSE(gnu::plan_c_compiler(a, &error)) << join(a);
  EXPECT_NE(gnu_backend_run("ftfront", {}), 0);
  EXPECT_NE(gnu_backend_run("f77", {"a.f"}), 0);
}

TEST(GnuTools, LinkerRefusesOutputsWithoutAName) {
  std::string error;
  const std::vector<Args> bad = {{"-lib", "a.obj"}, {"-dll", "a.obj"}, {"-out:", "a.obj"}};
  for (const Args& a : bad) EXPECT_FALSE(gnu::plan_link(a, &error)) << join(a);
}

// --- Choosing the mode ---------------------------------------------------------

TEST(GnuMode, TheEnvironmentDecidesWhenItSaysAnything) {
  const char* saved = std::getenv("F90_TOOL_MODE");
  std::string keep = saved ? saved : "";
  setenv("F90_TOOL_MODE", "gnu", 1);
  EXPECT_TRUE(gnu_mode_selected("x"));
  setenv("F90_TOOL_MODE", "record", 1);
  EXPECT_FALSE(gnu_mode_selected("x"));
  setenv("F90_TOOL_MODE", "GNU", 1);
  EXPECT_FALSE(gnu_mode_selected("x"));
  unsetenv("F90_TOOL_MODE");
  EXPECT_FALSE(gnu_mode_selected("x"));  // no marker beside the test program
  if (saved) setenv("F90_TOOL_MODE", keep.c_str(), 1);
}

}  // namespace

#endif
