// The GNU mode of the stand-in tools: its intermediate files, and what olink
// makes of the arguments -link hands it. What each tool makes of the
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
      header + "source /w/a.f90\nlanguage f95\nflag bad\\x\n",
      header + "source /w/a.f90\nlanguage f95\nwhat ever\n",
      header + "source /w/a.f90\nsource /w/b.f90\nlanguage f95\n",
  };
  for (const std::string& text : bad)
    EXPECT_FALSE(gnu::parse_unit(gnu::UnitKind::FrontEnd, text)) << text;
  EXPECT_TRUE(gnu::parse_unit(gnu::UnitKind::FrontEnd, good));
}

// --- The linker --------------------------------------------------------------

// What -link hands olink for the GNU linker goes after the objects and
// libraries, in its order; the suite's own options are dropped; anything
// else ends the link with a message.
TEST(GnuLink, LinkerArgumentsArePassedOnOrReported) {
  const std::string fc = "[" + gnu::fortran_compiler() + "]";
  const std::string runtime = "[-Wl,--as-needed,-l,stdc++,--no-as-needed]";
  const struct {
    Args args;
    std::string command;
    Args unused;  // warned about
  } rows[] = {
      {{"-ignoredups", "-aliases:UNICODE.ALS", "-lm", "-Wl,-rpath,/r", "-rpath", "/s", "-rpath=/t", "-L/d",
        "-v", "-verbose", "-out:p", "a.obj", "orvRT0.lib", "-debug:full", "kernel32.lib"},
       fc + "[-o][p][-L/d][a.obj][-lm][-Wl,-rpath,/r][-Wl,-rpath,/s][-Wl,-rpath,/t][-v]" + runtime,
       {}},
      {{"-dll", "-lblas", "-out:x.so", "-PATH:/p", "a.obj"},
       fc + "[-shared][-o][x.so][-L/p][a.obj][-lblas]" + runtime,
       {}},
      {{"-lib", "-lm", "-rpath", "/s", "-L/d", "-out:l.a", "a.obj"},
       "[" + gnu::archiver() + "][rcs][l.a][a.obj]",
       {"-lm", "-rpath /s", "-L/d"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(join(row.args));
    std::string error;
    std::optional<gnu::LinkPlan> plan = gnu::plan_link(row.args, &error);
    ASSERT_TRUE(plan) << error;
    EXPECT_EQ(join(plan->command), row.command);
    Args warnings;
    for (const std::string& a : row.unused)
      warnings.push_back("\"" + a + "\" is for the linker; a static library is built without it");
    EXPECT_EQ(plan->warnings, warnings);
  }
  // The first argument of each ends the link.
  for (const Args& args : std::vector<Args>{{"-foo"}, {"-rpath"}, {"-rpath", "-out:p"}, {"-l"}, {"-Wl,"}}) {
    std::string error;
    EXPECT_FALSE(gnu::plan_link(args, &error));
    EXPECT_EQ(error.rfind("unknown option \"" + args[0] + "\" (", 0), 0u) << error;
  }
}

}  // namespace

#endif
