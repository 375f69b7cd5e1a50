// The GNU mode of the stand-in tools: its intermediate files, and what olink
// makes of the arguments -link hands it. What each tool makes of the
// driver's flags is checked by the acceptance tests, which build and run
// real programs. The mode exists on POSIX only.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "tests/unit/option_fixture.h"
#include "tools/gnu/compile.h"
#include "tools/gnu/direct_compile.h"
#include "tools/gnu/learnt_flags.h"
#include "tools/gnu/link.h"

using gnu::Args;

namespace {

// --- Intermediate files ---------------------------------------------------

auto fields(const gnu::Unit& u) {
  return std::tie(u.source, u.directory, u.language, u.flags, u.later_flags, u.object, u.object_flags, u.stamp,
                  u.diagnostics, u.learnt_key, u.naming);
}

TEST(GnuUnitFile, AnyNameAndFlagSurvivesTheRoundTrip) {
  const std::vector<gnu::Unit> units = {
      {"hello.f90", "/w", "f95", {}, {}, "", {}, "", "", "", {}},
      {"with blank/p q.f90", "/w x", "f95-cpp-input", {"-DMSG=\"a b\"", "-I/x y"}, {"-funroll-loops"},
       "/t/p q.bif.object", {}, "12 345", "", "/w x\n-O0\n-p.", {}},
      {"/w/line\nbreak.f", "/", "f95", {"-Dx=\\n", "tail\\"}, {}, "/t/o", {"-O2", "-g"}, "1 2",
       "w.f90:2:8:\n\n  Warning: x\r\n", "", {}},
      {"cr\r.f", "/w", "f95", {"", "\\\\", "\n\r"}, {"\n"}, "/t/o", {""}, "", "\\", "\r\n\\",
       {"-YEXT_SFX=", "-YCOM_PFX=a\nb"}},
  };
  for (const gnu::Unit& u : units)
    for (gnu::UnitKind kind : {gnu::UnitKind::FrontEnd, gnu::UnitKind::Transformed}) {
      std::optional<gnu::Unit> back = gnu::parse_unit(kind, gnu::format_unit(kind, u));
      ASSERT_TRUE(back) << u.source;
      EXPECT_EQ(fields(*back), fields(u));
      // The later steps' flags, which the code generator leaves for the next source.
      EXPECT_EQ(gnu::parse_flag_list(gnu::format_flag_list(u.flags)), u.flags);
    }
}

TEST(GnuUnitFile, RejectsWhatItDidNotWrite) {
  gnu::Unit unit{"a.f90", "/w", "f95", {}, {}, "", {}, "", "", "", {}};
  const std::string transformed = gnu::format_unit(gnu::UnitKind::Transformed, unit);
  unit.flags = {"-w"};
  const std::string good = gnu::format_unit(gnu::UnitKind::FrontEnd, unit);
  const std::string header = good.substr(0, good.find('\n') + 1);
  const std::string named = header + "source a.f90\ndirectory /w\n";
  const std::vector<std::string> bad = {
      "",
      "ftfront output of: /bin/ftfront -F/t/a.bif a.f90\n",  // a recording-mode file
      transformed,
      header + "directory /w\nlanguage f95\n",              // no source
      header + "source a.f90\nlanguage f95\n",              // no directory
      named,                                                 // no language
      named + "language f95\nflag bad\\x\n",
      named + "language f95\nwhat ever\n",
      named + "source b.f90\nlanguage f95\n",
      named + "language f95\nobject /t/a\nobject /t/b\n",
      named + "language f95\nlearnt-key a\nlearnt-key a\n",
  };
  for (const std::string& text : bad) {
    EXPECT_FALSE(gnu::parse_unit(gnu::UnitKind::FrontEnd, text)) << text;
    EXPECT_FALSE(gnu::parse_flag_list(text)) << text;
  }
  EXPECT_TRUE(gnu::parse_unit(gnu::UnitKind::FrontEnd, good));
}

// The flags kept between runs are taken only for the key they were kept
// under, and only when they are flags that the later steps add: a damaged or
// foreign file costs a compile, it never reaches gfortran's command line.
TEST(GnuLearntFlags, OnlyTheKeysOwnPlausibleFlagsAreRecalled) {
  const std::string key = "/w\n-O0\n-Ab";
  const Args later = {"-funroll-loops", "--param=max-unroll-times=8", "--param=max-unrolled-insns=20",
                      "-floop-interchange", "-O3", "-g"};
  EXPECT_EQ(gnu::parse_learnt_flags(key, gnu::format_learnt_flags(key, later)), later);
  EXPECT_EQ(gnu::parse_learnt_flags(key, gnu::format_learnt_flags(key, {})), Args{});
  const std::string bad[] = {
      gnu::format_learnt_flags("/w\n-Ab", later),  // another key
      gnu::format_flag_list(later),                // the per-run file
      gnu::format_learnt_flags(key, {"-O2", "-o/etc/passwd"}),
      gnu::format_learnt_flags(key, {"-fplugin=x.so"}),
      gnu::format_learnt_flags(key, {"--param=max-unroll-times="}),
      gnu::format_learnt_flags(key, {"--param=max-unroll-times=8;x"}),
      gnu::format_learnt_flags(key, {"-O"}),
      gnu::format_learnt_flags(key, later).substr(0, 30),  // cut short
      "",
  };
  for (const std::string& text : bad) EXPECT_FALSE(gnu::parse_learnt_flags(key, text)) << text;
  // One file per key, in the tools' own cache directory.
  EXPECT_NE(gnu::learnt_flags_path(key), gnu::learnt_flags_path("/w\n-Ab"));
}

// --- gfortran's own steps, run by the front end -------------------------------

TEST(GnuDirectCompile, TheListingIsReadAndEachSourcesNamesPutIn) {
  const std::string listing =
      "Using built-in specs.\nCOLLECT_GCC=gfortran\nCOLLECT_GCC_OPTIONS='-o' '/ZzF90DirectoryZz/ZzF90ObjectZz.bif.object'\n"
      " /gcc/f951 ZzF90SourceZz.F90 \"-cpp=/t/ccA.f90\" \"-DQ=\\\"x\\\\y\\$\" -dumpbase ZzF90ObjectZz.bif.F90 -o /t/ccB.s\n"
      "COLLECT_GCC_OPTIONS='-c'\n as -o /ZzF90DirectoryZz/ZzF90ObjectZz.bif.object /t/ccB.s\nCOMPILER_PATH=/x\n";
  std::optional<gnu::CompileSteps> steps = gnu::parse_driver_listing(listing);
  ASSERT_TRUE(steps);
  ASSERT_EQ(steps->size(), 2u);
  EXPECT_EQ((*steps)[0].command, (Args{"/gcc/f951", "ZzF90SourceZz.F90", "-cpp=/t/ccA.f90", "-DQ=\"x\\y$",
                                       "-dumpbase", "ZzF90ObjectZz.bif.F90", "-o", "/t/ccB.s"}));
  EXPECT_EQ((*steps)[0].environment.size(), 2u);
  EXPECT_EQ((*steps)[1].environment, Args{"COLLECT_GCC_OPTIONS='-c'"});  // nothing after the last step
  for (const char* bad : {" f951 \"x", " f951  x", "  f951", "COLLECT_GCC=gfortran\n", ""})
    EXPECT_FALSE(gnu::parse_driver_listing(bad)) << bad;

  // The placeholders become the names of a source; a name is not looked at again.
  gnu::DirectCompile lesson{{}, {"/t/ccA.f90", "/t/ccB.s"}, *steps};
  gnu::CompileSteps made =
      gnu::instantiate(lesson, {"../ZzF90ObjectZz.F90", "/tmp/Orv1", "x.y", {"/tmp/Orv1/1.f90", "/tmp/Orv1/2.s"}});
  EXPECT_EQ(made[0].environment[1], "COLLECT_GCC_OPTIONS='-o' '/tmp/Orv1/x.y.bif.object'");
  EXPECT_EQ(made[0].command, (Args{"/gcc/f951", "../ZzF90ObjectZz.F90", "-cpp=/tmp/Orv1/1.f90", "-DQ=\"x\\y$",
                                   "-dumpbase", "x.y.bif.F90", "-o", "/tmp/Orv1/2.s"}));
  EXPECT_EQ(made[1].command, (Args{"as", "-o", "/tmp/Orv1/x.y.bif.object", "/tmp/Orv1/2.s"}));

  // Kept between runs under its key, and a shape that does not go directly too.
  lesson.stamps = {"/gcc/f951 1 2"};
  std::string kept = gnu::format_lesson("k", {lesson});
  auto read = gnu::parse_lesson("k", kept);
  ASSERT_TRUE(read && read->lesson);
  EXPECT_EQ(read->lesson->steps, lesson.steps);
  EXPECT_EQ(gnu::format_lesson("k", *read), kept);
  read = gnu::parse_lesson("k", gnu::format_lesson("k", {}));
  EXPECT_TRUE(read && !read->lesson);
  for (const std::string& bad : {gnu::format_lesson("j", {lesson}), kept.substr(0, kept.size() - 8), kept + "x\n",
                                 gnu::format_flag_list({"direct compile 1", "k", "steps", "0", "0", "1", "0", "9"})})
    EXPECT_FALSE(gnu::parse_lesson("k", bad)) << bad;
  for (const char* name : {"a b", "a'b", "a\"b", "a\\b", "a$b", "a\nb", ""}) EXPECT_FALSE(gnu::plain_name(name));
  EXPECT_TRUE(gnu::plain_name("/tmp/Orv1/x-1_2+3.bif.object"));
}

// --- Naming the source ---------------------------------------------------

// gfortran is given the source as the user wrote it, so that it names it so;
// a step run in another directory than the front end reaches it from there.
TEST(GnuCompile, TheSourceAsWrittenUnlessRunElsewhere) {
  const std::string here = gnu::absolute_path(".");
  const struct {
    std::string written, directory, argument;
  } rows[] = {
      {"src/a.f90", here, "src/a.f90"},
      {"src/a.f90", "/w/x", "/w/x/src/a.f90"},
      {"../a.f90", "/w/x", "/w/a.f90"},
      {"/abs/a.f90", "/w/x", "/abs/a.f90"},
      {"-a.f90", here, "./-a.f90"},  // not an option
  };
  for (const auto& row : rows) {
    std::string error;
    std::optional<gnu::FrontEndPlan> plan = gnu::plan_front_end(gnu::target_for(""), {"-F/t/a.bif", row.written}, &error);
    ASSERT_TRUE(plan) << error;
    EXPECT_EQ(plan->unit.directory, here);
    EXPECT_EQ(plan->check.back(), row.written[0] == '-' ? row.argument : row.written);
    plan->unit.directory = row.directory;
    EXPECT_EQ(gnu::source_argument(plan->unit), row.argument) << row.written;
  }
}

// The front end's object stands for the code generator's only when made
// with the same flags from the same source.
TEST(GnuCompile, TheFrontEndsObjectFitsOnlyTheSameFlagsAndSource) {
  const gnu::Unit unit{"", "", "", {}, {}, "/t/a.bif.object", {"-funroll-loops", "-O2"}, "10 20", "", "", {}};
  const struct {
    std::string object, stamp;
    gnu::Args later;
    std::string stamp_now;
    bool fits;
  } rows[] = {
      {unit.object, unit.stamp, unit.object_flags, unit.stamp, true},
      {"", unit.stamp, unit.object_flags, unit.stamp, false},
      {unit.object, unit.stamp, {"-funroll-loops", "-O3"}, unit.stamp, false},
      {unit.object, unit.stamp, {"-funroll-loops", "-O2", "-g"}, unit.stamp, false},
      {unit.object, unit.stamp, {"-O2"}, unit.stamp, false},
      {unit.object, unit.stamp, unit.object_flags, "11 20", false},
      {unit.object, "", unit.object_flags, "", false},  // the source was not there
  };
  for (const auto& row : rows) {
    gnu::Unit u = unit;
    u.object = row.object;
    u.stamp = row.stamp;
    EXPECT_EQ(gnu::front_end_object_fits(u, row.later, row.stamp_now), row.fits) << describe(row.later);
  }
}

// --- The linker --------------------------------------------------------------

// What -link hands olink for the GNU linker goes after the objects and
// libraries, in its order; the suite's own options are dropped; anything
// else ends the link with a message.
TEST(GnuLink, LinkerArgumentsArePassedOnOrReported) {
  const gnu::Target host = gnu::target_for("");
  const std::string fc = "[" + host.fortran_compiler + "]";
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
       "[" + host.archiver + "][rcs][l.a][a.obj]",
       {"-lm", "-rpath /s", "-L/d"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(describe(row.args));
    std::string error;
    std::optional<gnu::LinkPlan> plan = gnu::plan_link(host, row.args, &error);
    ASSERT_TRUE(plan) << error;
    ASSERT_EQ(plan->steps.size(), 1u);
    EXPECT_EQ(describe(plan->steps[0]), row.command);
    Args warnings;
    for (const std::string& a : row.unused)
      warnings.push_back("\"" + a + "\" is for the linker; a static library is built without it");
    EXPECT_EQ(plan->warnings, warnings);
  }
  // The first argument of each ends the link.
  for (const Args& args : std::vector<Args>{{"-foo"}, {"-rpath"}, {"-rpath", "-out:p"}, {"-l"}, {"-Wl,"}}) {
    std::string error;
    EXPECT_FALSE(gnu::plan_link(host, args, &error));
    EXPECT_EQ(error.rfind("unknown option \"" + args[0] + "\" (", 0), 0u) << error;
  }
}

}  // namespace

#endif
