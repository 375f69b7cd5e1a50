// The GNU mode of the stand-in tools: its intermediate files and what each
// tool makes of the arguments the driver gives it. (Real builds with
// gfortran are in the acceptance tests.) The mode exists on POSIX only.
#ifndef _WIN32
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/gnu_backend.h"
#include "tools/gnu_tools.h"

namespace fs = std::filesystem;
using gnu::Args;

namespace {

bool contains(const Args& args, const std::string& value) {
  return std::find(args.begin(), args.end(), value) != args.end();
}

std::string join(const Args& args) {
  std::string s;
  for (const std::string& a : args) s += "[" + a + "]";
  return s;
}

// A scratch directory that is the current directory while a test runs, as
// the driver's current directory is the tools' one.
class InScratch : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = fs::current_path();
    dir_ = fs::temp_directory_path() / ("gnu-tools-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::current_path(dir_);
    dir_ = fs::current_path();  // as the tools see it
  }
  void TearDown() override {
    fs::current_path(saved_);
    fs::remove_all(dir_);
  }
  std::string at(const std::string& rel) const { return (dir_ / rel).string(); }
  void touch(const std::string& rel) const {
    fs::create_directories(fs::path(at(rel)).parent_path());
    std::ofstream(at(rel)) << "x";
  }

  fs::path saved_, dir_;
};

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

// --- Front end ----------------------------------------------------------------

struct FrontEndCase {
  Args flags;
  std::string source;
  std::string language;
  Args present;  // "@" stands for the scratch directory
  Args absent;
};

TEST_F(InScratch, FrontEndTranslatesSourceFormsAndOptions) {
  touch("mods/keep");
  const std::vector<FrontEndCase> cases = {
      {{"-O0", "-Ab", "-p.", "-dB"}, "a.f90", "f95", {"-ffree-form", "-I@", "-J@"}, {"-ffixed-form"}},
      {{}, "sub/OLD.FOR", "f95-cpp-input", {"-ffixed-form"}, {}},
      // gfortran knows no ".For": the form and language must come from here.
      {{}, "Mixed.For", "f95", {"-ffixed-form"}, {}},
      {{"-ffixed"}, "a.f90", "f95", {"-ffixed-form"}, {"-ffree-form"}},
      {{"-ffixed", "-ffree"}, "a.f", "f95", {"-ffree-form"}, {"-ffixed-form"}},
      {{"-falt_fixed"}, "a.f90", "f95", {"-ffixed-form"}, {}},
      {{"-YCLEN=200"}, "a.f90", "f95", {"-ffree-line-length-200"}, {"-ffixed-line-length-200"}},
      {{"-YCLEN=x"}, "a.f", "f95", {}, {"-ffixed-line-length-x"}},
      {{"-i64", "-i32"}, "a.f90", "f95", {}, {"-fdefault-integer-8"}},
      {{"-sfloat64"}, "a.f90", "f95", {"-fdefault-real-8"}, {}},
      {{"-DSHOUT", "-Iinc"}, "a.f90", "f95-cpp-input", {"-DSHOUT", "-I@/inc"}, {}},
      {{"-Iinc"}, "a.f90", "f95", {"-I@/inc"}, {}},
      {{"-pmods", "-pnothere"}, "a.f90", "f95", {"-I@/mods"}, {"-I@/nothere"}},
      {{"-YMOD_OUT_DIR=out/bin", "-pout/bin"}, "a.f90", "f95", {"-J@/out/bin"}, {"-J@"}},
      {{"-YMOD_OUT_DIR="}, "a.f90", "f95", {"-J/"}, {"-J@"}},
      {{"-m4"}, "a.f90", "f95", {"-w"}, {}},
      {{"-m2"}, "a.f90", "f95", {}, {"-w"}},
  };
  const std::string here = dir_.string();
  auto expand = [&](std::string s) {
    size_t at = s.find('@');
    if (at != std::string::npos) s.replace(at, 1, here);
    return s;
  };
  for (const FrontEndCase& c : cases) {
    Args args = c.flags;
    args.push_back("-F/t/x.bif");
    args.push_back(c.source);
    std::string error;
    std::optional<gnu::FrontEndPlan> plan = gnu::plan_front_end(args, &error);
    ASSERT_TRUE(plan) << join(args) << ": " << error;
    const gnu::Unit& u = plan->unit;
    SCOPED_TRACE(join(args) + " gives " + join(u.flags));
    EXPECT_EQ(plan->output, "/t/x.bif");
    EXPECT_EQ(u.source, at(c.source));
    EXPECT_EQ(u.language, c.language);
    for (const std::string& p : c.present) EXPECT_TRUE(contains(u.flags, expand(p))) << expand(p);
    for (const std::string& a : c.absent) EXPECT_FALSE(contains(u.flags, expand(a))) << expand(a);
    // The check runs gfortran on exactly these flags, syntax only.
    Args check = {gnu::fortran_compiler(), "-fsyntax-only"};
    check.insert(check.end(), u.flags.begin(), u.flags.end());
    check.insert(check.end(), {"-x", u.language, u.source});
    EXPECT_EQ(plan->check, check);
  }
}

TEST_F(InScratch, FrontEndWarnsAboutShortIntegers) {
  std::string error;
  auto plan = gnu::plan_front_end({"-i16", "-F/t/x.bif", "a.f90"}, &error);
  ASSERT_TRUE(plan);
  ASSERT_EQ(plan->warnings.size(), 1u);
  EXPECT_NE(plan->warnings[0].find("-i16"), std::string::npos);
  EXPECT_TRUE(gnu::plan_front_end({"-i16", "-i32", "-F/t/x.bif", "a.f90"}, &error)->warnings.empty());
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

// --- Transformer and code generator ------------------------------------------------

TEST(GnuTools, TransformerFlagsBecomeLoopOptimisations) {
  struct Case {
    Args flags;
    Args added;
  };
  const std::vector<Case> cases = {
      {{"-hmif=p"}, {}},
      {{"-YUNROLL=auto", "-hmif=p"}, {"-funroll-loops"}},
      {{"-YUNROLL=8,40"}, {"-funroll-loops", "--param=max-unroll-times=8", "--param=max-unrolled-insns=40"}},
      {{"-YUNROLL=4,40,3"}, {"-funroll-loops", "--param=max-unroll-times=4", "--param=max-unrolled-insns=40"}},
      {{"-YUNROLL=8,0"}, {"-funroll-loops", "--param=max-unroll-times=8"}},
      // gcc refuses parameters beyond the range of an int.
      {{"-YUNROLL=99999999999,40"},
       {"-funroll-loops", "--param=max-unroll-times=2147483647", "--param=max-unrolled-insns=40"}},
      {{"-YUNROLL=8"}, {}},
      {{"-YUNROLL=x,40"}, {}},
      {{"-YUNROLL=0,40"}, {}},
      {{"-YUNROLL=8,40,z"}, {}},
      {{"-hmif=p", "-YTRANSFORM_LOOPS"}, {"-floop-interchange"}},
  };
  for (const Case& c : cases) {
    gnu::Unit unit{"/w/a.f90", "f95", {"-ffree-form"}};
    gnu::apply_transformer_flags(c.flags, &unit);
    Args expected = {"-ffree-form"};
    expected.insert(expected.end(), c.added.begin(), c.added.end());
    EXPECT_EQ(unit.flags, expected) << join(c.flags);
  }
}

TEST(GnuTools, CodeGeneratorCompilesWithTheLevelItIsGiven) {
  const gnu::Unit unit{"/w/a b.F90", "f95-cpp-input", {"-ffree-form", "-J/w"}};
  struct Case {
    Args flags;
    Args options;  // between the unit's flags and -fPIC
  };
  const std::vector<Case> cases = {
      {{"-N61", "-N76"}, {}},
      {{"-N76", "-O2", "-N61", "-N162"}, {"-O2"}},
      {{"-O1", "-g", "-O3", "-g"}, {"-O3", "-g"}},
  };
  for (const Case& c : cases) {
    Args args = c.flags;
    args.insert(args.end(), {"-o", "/t/a b.obj", "-i", "/t/a b.int"});
    std::string error;
    std::optional<gnu::CodeGenArgs> parsed = gnu::parse_code_generator_args(args, &error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(parsed->input, "/t/a b.int");
    Args expected = {gnu::fortran_compiler(), "-c", "-ffree-form", "-J/w"};
    expected.insert(expected.end(), c.options.begin(), c.options.end());
    expected.insert(expected.end(), {"-fPIC", "-o", "/t/a b.obj", "-x", "f95-cpp-input", "/w/a b.F90"});
    EXPECT_EQ(gnu::code_generator_command(*parsed, unit), expected) << join(c.flags);
  }
}

TEST(GnuTools, CAndCxxSourcesAreCompiledAsTheDriverSays) {
  std::string error;
  auto c = gnu::plan_c_compiler({"-A", "-DX=1", "-Iinc", "-g", "-c", "sub/u.c", "-o", "/t/u.obj"}, &error);
  ASSERT_TRUE(c) << error;
  EXPECT_EQ(c->command, (Args{gnu::c_compiler(), "-DX=1", "-Iinc", "-g", "-fPIC", "-c", "-x", "c", "sub/u.c",
                              "-o", "/t/u.obj"}));
  // gcc would take x.Cpp for a linker input; the language is always given.
  auto cxx = gnu::plan_c_compiler({"-c++", "-c", "x.Cpp", "-o", "x.obj"}, &error);
  ASSERT_TRUE(cxx) << error;
  EXPECT_EQ(cxx->command, (Args{gnu::cxx_compiler(), "-fPIC", "-c", "-x", "c++", "x.Cpp", "-o", "x.obj"}));
}

// --- Linker -------------------------------------------------------------------------

const Args CxxRuntime = {"-Wl,--as-needed", "-lstdc++", "-Wl,--no-as-needed"};

Args executable(Args middle) {
  Args a = {gnu::fortran_compiler()};
  a.insert(a.end(), middle.begin(), middle.end());
  a.insert(a.end(), CxxRuntime.begin(), CxxRuntime.end());
  return a;
}

TEST_F(InScratch, LinkerDropsTheSuiteLibrariesAndFindsTheUsersOnes) {
  touch("mine.lib");
  touch("libown.a");
  touch("libs/far.lib");
  struct Case {
    Args args;
    Args command;
  };
  const std::vector<Case> cases = {
      {{"-ignoredups", "-aliases:UNICODE.ALS", "-out:hello.exe", "/t/hello.obj", "orvRT0.lib", "rt9math.lib",
        "rtio.lib", "rtmath.lib", "liboc.lib", "comdlg32.lib", "kernel32.lib"},
       executable({"-o", "hello.exe", "/t/hello.obj"})},
      {{"-out:p", "a.obj", "orvRT0_x.lib", "RTIOTDLL_X.LIB", "rt9mdll.lib", "libocdll.lib", "user32.lib",
        "gdi32.lib", "winif.lib", "wsim.lib", "/opt/orvane/lib/orvane_et_win.obj"},
       executable({"-o", "p", "a.obj"})},
      {{"-out:p", "a.obj", "mine.lib", "libown.a", "blas.lib", "libmissing.a", "/opt/x/libq.a"},
       executable({"-o", "p", "a.obj", "mine.lib", "libown.a", "-lblas", "-l:libmissing.a", "/opt/x/libq.a"})},
      {{"-PATH:libs", "-out:p", "a.obj", "far.lib"}, executable({"-o", "p", "-Llibs", "a.obj", "libs/far.lib"})},
      {{"-debug:full", "-debugtype:both", "a.obj", "b.o"}, executable({"a.obj", "b.o"})},
      {{"-dll", "-exports:/t/autoxps.xps", "-out:libs.so", "a.obj", "rtio.lib"},
       {gnu::fortran_compiler(), "-shared", "-o", "libs.so", "a.obj", CxxRuntime[0], CxxRuntime[1],
        CxxRuntime[2]}},
  };
  for (const Case& c : cases) {
    std::string error;
    std::optional<gnu::LinkPlan> plan = gnu::plan_link(c.args, &error);
    ASSERT_TRUE(plan) << join(c.args) << ": " << error;
    EXPECT_EQ(plan->command, c.command) << join(c.args);
    EXPECT_EQ(plan->exports_file, "");
  }
}

TEST(GnuTools, LibraryModeArchivesTheObjectsAfresh) {
  std::string error;
  auto plan = gnu::plan_link({"-ignoredups", "-lib", "-out:libu.a", "/t/u.obj", "/t/v.obj"}, &error);
  ASSERT_TRUE(plan) << error;
  EXPECT_EQ(plan->command, (Args{gnu::archiver(), "rcs", "libu.a", "/t/u.obj", "/t/v.obj"}));
  EXPECT_EQ(plan->remove_before, "libu.a");
  // The export pass of a DLL must leave its export list.
  auto pass = gnu::plan_link({"-lib", "-out:/t/autoxps.lib", "-exports:/t/autoxps.xps", "/t/u.obj"}, &error);
  ASSERT_TRUE(pass) << error;
  EXPECT_EQ(pass->exports_file, "/t/autoxps.xps");
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
