// Real programs: the driver with the stand-in tools installed in their GNU
// mode builds Fortran (and C/C++) programs and libraries that run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/harness.h"

namespace fs = std::filesystem;

namespace {

using Strings = std::vector<std::string>;

bool on_path(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "";
  size_t start = 0;
  for (;;) {
    size_t colon = dirs.find(':', start);
    std::string dir = dirs.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
    std::error_code ec;
    if (!dir.empty() && fs::is_regular_file(fs::path(dir) / program, ec)) return true;
    if (colon == std::string::npos) return false;
    start = colon + 1;
  }
}

const char* const Greetings =
    "module greetings\n"
    "  implicit none\n"
    "contains\n"
    "  subroutine greet(name)\n"
    "    character(len=*), intent(in) :: name\n"
    "    print '(a)', 'Hello, ' // name // '!'\n"
    "  end subroutine greet\n"
    "end module greetings\n";

const char* const Main =
    "program main\n"
    "  use greetings\n"
    "  call greet('world')\n"
    "end program main\n";

// Fixed form: a comment in column 1 and a labelled DO loop, which free form
// would refuse.
const char* const FixedForm =
    "C     A FIXED-FORM PROGRAM\n"
    "      PROGRAM OLD\n"
    "      INTEGER I, N\n"
    "      N = 0\n"
    "      DO 10 I = 1, 10\n"
    "         N = N + I\n"
    "   10 CONTINUE\n"
    "      WRITE (*, '(A, I0)') 'SUM ', N\n"
    "      END\n";

const char* const CallsC =
    "program calc\n"
    "  use iso_c_binding\n"
    "  implicit none\n"
    "  interface\n"
    "    function add_ints(a, b) bind(c, name='add_ints')\n"
    "      import :: c_int\n"
    "      integer(c_int), value :: a, b\n"
    "      integer(c_int) :: add_ints\n"
    "    end function add_ints\n"
    "  end interface\n"
    "  print '(a, i0)', '2 + 3 = ', add_ints(2_c_int, 3_c_int)\n"
    "end program calc\n";

class GnuBuild : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!on_path("gfortran") || !on_path("gcc") || !on_path("g++"))
      GTEST_SKIP() << "the GNU toolchain (gfortran, gcc, g++) is not installed";
    scratch.mkdir("work");
    scratch.mkdir("tmp");
    // Installed by the build's own install, in the GNU mode whatever the
    // build was configured with; the driver then finds its installation from
    // its own place.
    RunResult r = install("gnu");
    ASSERT_EQ(r.status, 0) << r.out << r.err;
  }

  RunResult install(const std::string& mode) {
    DriverRun install;
    install.program = F90_CMAKE_COMMAND;
    install.args = {"-DF90_STANDIN_MODE=" + mode, "-DCMAKE_INSTALL_PREFIX=" + scratch.at("install"), "-P",
                    std::string(F90_BUILD_DIR) + "/cmake_install.cmake"};
    return run_driver(install);
  }

  RunResult f90(const Strings& args, const std::map<std::string, std::optional<std::string>>& env = {}) {
    DriverRun r;
    r.args = args;
    r.cwd = scratch.at("work");
    r.program = scratch.at("install/bin/f90");
    r.env["TMPDIR"] = scratch.at("tmp");
    // OCC is found by the search path, as the driver starts it.
    const char* path = std::getenv("PATH");
    r.env["PATH"] = scratch.at("install/bin") + ":" + (path ? path : "/usr/bin:/bin");
    r.env["F90_TOOL_MODE"] = std::nullopt;
    r.env["F90_TOOL_LOG"] = std::nullopt;
    for (const auto& [name, value] : env) r.env[name] = value;
    r.timeout_seconds = 120;
    return run_driver(r);
  }

  RunResult run(const std::string& program, const std::map<std::string, std::optional<std::string>>& env = {}) {
    DriverRun r;
    r.program = scratch.at("work/" + program);
    r.cwd = scratch.at("work");
    r.env = env;
    return run_driver(r);
  }

  void source(const std::string& name, const std::string& text) { scratch.write("work/" + name, text); }

  // Every run removes its temporary directory.
  void TearDown() override {
    if (!IsSkipped()) {
      EXPECT_EQ(scratch.list("tmp"), Strings{});
    }
  }

  Scratch scratch;
};

#define EXPECT_BUILT(r) EXPECT_EQ((r).status, 0) << (r).out << (r).err

TEST_F(GnuBuild, TheSampleProgramRuns) {
  RunResult r = f90({"-O2", "-o", "hello", std::string(F90_SOURCE_DIR) + "/examples/hello.f90"});
  EXPECT_BUILT(r);
  EXPECT_EQ(run("hello").out, "Hello from Fortran!\nThe sum of 1 to 10 is 55\n");
}

TEST_F(GnuBuild, FreeFormProgramUsesTheModuleOfASecondFile) {
  source("greetings.f90", Greetings);
  source("main.f90", Main);
  RunResult r = f90({"-O2", "-o", "greet", "greetings.f90", "main.f90"});
  EXPECT_BUILT(r);
  EXPECT_EQ(run("greet").out, "Hello, world!\n");
  // The module file lands in the current directory, objects do not.
  EXPECT_EQ(scratch.list("work"), (Strings{"greet", "greetings.f90", "greetings.mod", "main.f90"}));
}

TEST_F(GnuBuild, ModulesGoBesideTheOutputWithNowdir) {
  source("greetings.f90", Greetings);
  source("main.f90", Main);
  scratch.mkdir("work/out");
  RunResult r = f90({"-nowdir", "-o", "out/greet", "greetings.f90", "main.f90"});
  EXPECT_BUILT(r);
  EXPECT_TRUE(scratch.exists("work/out/greetings.mod"));
  EXPECT_FALSE(scratch.exists("work/greetings.mod"));
  EXPECT_EQ(run("out/greet").out, "Hello, world!\n");
}

TEST_F(GnuBuild, FixedFormSourcesOfEverySuffix) {
  for (const char* name : {"old.f", "OLD.FOR", "Mixed.For"}) {
    SCOPED_TRACE(name);
    source(name, FixedForm);
    RunResult r = f90({"-o", "old", name});
    EXPECT_BUILT(r);
    EXPECT_EQ(run("old").out, "SUM 55\n");
  }
}

TEST_F(GnuBuild, NamesWithBlanksNeedNoShell) {
  source("my prog.f90", "program p\n  print '(a)', 'blank'\nend program p\n");
  RunResult r = f90({"-o", "my prog", "my prog.f90"});
  EXPECT_BUILT(r);
  EXPECT_EQ(run("my prog").out, "blank\n");
}

TEST_F(GnuBuild, ProgramCallsACAndACxxFunction) {
  const std::vector<std::pair<std::string, std::string>> callees = {
      {"add.c", "int add_ints(int a, int b) { return a + b; }\n"},
      // The C++ runtime must be linked for this one.
      {"add.cpp",
       "#include <string>\n"
       "extern \"C\" int add_ints(int a, int b) { return std::stoi(std::to_string(a + b)); }\n"},
  };
  source("calc.f90", CallsC);
  for (const auto& [name, text] : callees) {
    SCOPED_TRACE(name);
    source(name, text);
    RunResult r = f90({"-o", "calc", "calc.f90", name});
    EXPECT_BUILT(r);
    EXPECT_EQ(run("calc").out, "2 + 3 = 5\n");
  }
}

TEST_F(GnuBuild, ProgramLinkedAgainstAStaticLibraryMadeWithLib) {
  source("greetings.f90", Greetings);
  source("main.f90", Main);
  for (const char* library : {"libgreet.a", "greet.lib"}) {
    SCOPED_TRACE(library);
    RunResult lib = f90({"-lib", "-o", library, "greetings.f90"});
    EXPECT_BUILT(lib);
    EXPECT_EQ(scratch.read(std::string("work/") + library).substr(0, 8), "!<arch>\n");
    RunResult r = f90({"-o", "app", "main.f90", library});
    EXPECT_BUILT(r);
    EXPECT_EQ(run("app").out, "Hello, world!\n");
  }
  // A library named without its directory is found in a -L directory.
  scratch.mkdir("work/libs");
  EXPECT_BUILT(f90({"-lib", "-o", "libs/far.lib", "greetings.f90"}));
  EXPECT_BUILT(f90({"-L", "libs", "-o", "app", "main.f90", "far.lib"}));
  EXPECT_EQ(run("app").out, "Hello, world!\n");
}

TEST_F(GnuBuild, ProgramLinkedAgainstADll) {
  source("greetings.f90", Greetings);
  source("main.f90", Main);
  for (const Strings& extra : {Strings{}, Strings{"-autoxps"}}) {
    SCOPED_TRACE(extra.empty() ? "plain" : extra[0]);
    Strings args = {"-dll", "-o", "libgreet.so", "greetings.f90"};
    args.insert(args.end(), extra.begin(), extra.end());
    EXPECT_BUILT(f90(args));
    RunResult r = f90({"-o", "app", "main.f90", "libgreet.so"});
    EXPECT_BUILT(r);
    EXPECT_EQ(run("app", {{"LD_LIBRARY_PATH", scratch.at("work")}}).out, "Hello, world!\n");
  }
}

TEST_F(GnuBuild, ObjectsMadeWithCAreLinkedLater) {
  source("greetings.f90", Greetings);
  source("main.f90", Main);
  EXPECT_BUILT(f90({"-c", "greetings.f90", "main.f90"}));
  EXPECT_TRUE(scratch.exists("work/greetings.obj"));
  EXPECT_TRUE(scratch.exists("work/main.obj"));
  EXPECT_BUILT(f90({"-o", "greet", "greetings.obj", "main.obj"}));
  EXPECT_EQ(run("greet").out, "Hello, world!\n");
}

TEST_F(GnuBuild, OptionsReachTheCompiler) {
  // Columns 73 on are cut off in fixed form unless the line is longer.
  const std::string long_line = "      N = 1" + std::string(61, ' ') + "+ 41\n";
  const std::string fixed_long = "      PROGRAM L\n      INTEGER N\n" + long_line + "      PRINT '(I0)', N\n      END\n";
  const std::string huge = "program h\n  print '(i0)', huge(0)\nend program h\n";
  const std::string loop =
      "program s\n  integer :: i, n(100)\n  do i = 1, 100\n    n(i) = i\n  end do\n"
      "  print '(i0)', sum(n)\nend program s\n";
  const std::string preprocessed =
      "program d\n#ifdef SHOUT\n  print '(a)', 'LOUD'\n#else\n  print '(a)', 'quiet'\n#endif\nend program d\n";
  struct Case {
    Strings options;
    std::string name, text, output;
  };
  const std::vector<Case> cases = {
      {{}, "huge.f90", huge, "2147483647\n"},
      {{"-i8"}, "huge.f90", huge, "9223372036854775807\n"},
      {{}, "long.f", fixed_long, "1\n"},
      {{"-t", "100"}, "long.f", fixed_long, "42\n"},
      {{"-DSHOUT"}, "d.f90", preprocessed, "LOUD\n"},
      {{}, "d.F90", preprocessed, "quiet\n"},
      {{"-O3"}, "loop.f90", loop, "5050\n"},
      {{"-O3", "-h8", "-H20"}, "loop.f90", loop, "5050\n"},
      {{"-O1", "-g"}, "loop.f90", loop, "5050\n"},
  };
  for (const Case& c : cases) {
    std::string trace = c.name;
    for (const std::string& o : c.options) trace += " " + o;
    SCOPED_TRACE(trace);
    source(c.name, c.text);
    Strings args = c.options;
    args.insert(args.end(), {"-o", "prog", c.name});
    RunResult r = f90(args);
    EXPECT_BUILT(r);
    EXPECT_EQ(run("prog").out, c.output);
  }
}

TEST_F(GnuBuild, SyntaxErrorFailsTheFrontEndAndLeavesNothing) {
  source("bad.f90", "program bad\n  print *, 'unterminated\nend program bad\n");
  RunResult r = f90({"-o", "bad", "bad.f90"});
  EXPECT_EQ(r.status, 1);
  ASSERT_GE(r.err.size(), 16u);
  EXPECT_EQ(r.err.substr(r.err.size() - 16), "ftfront failed.\n");
  EXPECT_EQ(scratch.list("work"), Strings{"bad.f90"});
}

TEST_F(GnuBuild, MissingCompilerIsReported) {
  source("hello.f90", "program h\nend program h\n");
  RunResult r = f90({"-o", "hello", "hello.f90"}, {{"F90_GNU_FC", "no-such-gfortran"}});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("cannot find the program \"no-such-gfortran\""), std::string::npos) << r.err;
  EXPECT_EQ(scratch.list("work"), Strings{"hello.f90"});
}

TEST_F(GnuBuild, TheEnvironmentCanKeepTheRecordingMode) {
  source("hello.f90", "program h\nend program h\n");
  EXPECT_BUILT(f90({"-o", "hello", "hello.f90"}, {{"F90_TOOL_MODE", "record"}}));
  EXPECT_EQ(scratch.read("work/hello").substr(0, 16), "olink output of:");
  // An install in the recording mode takes the GNU mode's marker away.
  ASSERT_EQ(install("record").status, 0);
  EXPECT_FALSE(scratch.exists("install/bin/gnu-mode"));
  EXPECT_BUILT(f90({"-o", "hello", "hello.f90"}));
  EXPECT_EQ(scratch.read("work/hello").substr(0, 16), "olink output of:");
  EXPECT_BUILT(f90({"-o", "hello", "hello.f90"}, {{"F90_TOOL_MODE", "gnu"}}));
  EXPECT_EQ(run("hello").status, 0);
}

}  // namespace
