// The GNU mode of the stand-in tools: its intermediate files. What each tool
// makes of the driver's flags is checked by the acceptance tests, which
// build and run real programs. The mode exists on POSIX only.
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

}  // namespace

#endif
