// Real programs: the driver with the stand-in tools installed in their GNU
// mode builds Fortran (and C/C++) programs and libraries that run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/harness.h"

namespace {

using Strings = std::vector<std::string>;
using Env = std::map<std::string, std::optional<std::string>>;

class GnuBuild : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::system("(command -v gfortran && command -v gcc && command -v g++) >/dev/null 2>&1") != 0)
      GTEST_SKIP() << "the GNU toolchain (gfortran, gcc, g++) is not installed";
    scratch.mkdir("work");
    scratch.mkdir("tmp");
    // Installed by the build's own install, in the GNU mode whatever the
    // build was configured with; the driver then finds its installation from
    // its own place.
    DriverRun install;
    install.program = F90_CMAKE_COMMAND;
    install.args = {"-DF90_STANDIN_MODE=gnu", "-DCMAKE_INSTALL_PREFIX=" + scratch.at("install"), "-P",
                    std::string(F90_BUILD_DIR) + "/cmake_install.cmake"};
    RunResult r = run_driver(install);
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    source("greetings.f90");
    source("main.f90");
  }

  RunResult f90(const Strings& args, const Env& env = {}) {
    DriverRun r;
    r.args = args;
    r.cwd = scratch.at("work");
    r.program = scratch.at("install/bin/f90");
    r.temp_dir = scratch.at("tmp");
    // OCC is found by the search path, as the driver starts it.
    const char* path = std::getenv("PATH");
    r.env = env;
    r.env.emplace("PATH", scratch.at("install/bin") + ":" + (path ? path : "/usr/bin:/bin"));
    r.timeout_seconds = 120;
    return run_driver(r);
  }

  std::string run(const std::string& program, const Env& env = {}) {
    DriverRun r;
    r.program = scratch.at("work/" + program);
    r.cwd = scratch.at("work");
    r.env = env;
    return run_driver(r).out;
  }

  // Copies a program of tests/acceptance/programs (or `path` below the
  // sources) into the work directory as `name`.
  void source(const std::string& name, const std::string& path = "") {
    std::string from = path.empty() ? "tests/acceptance/programs/" + name : path;
    scratch.write("work/" + name, read_file(std::string(F90_SOURCE_DIR) + "/" + from));
  }

  // Every run removes its temporary directory.
  void TearDown() override {
    if (!IsSkipped()) {
      EXPECT_EQ(scratch.list("tmp"), Strings{});
    }
  }

  Scratch scratch;
};

#define EXPECT_BUILT(r) EXPECT_EQ((r).status, 0) << (r).out << (r).err

TEST_F(GnuBuild, ModulesLandInTheCurrentDirectoryOrBesideTheOutputWithNowdir) {
  scratch.mkdir("work/out");
  EXPECT_BUILT(f90({"-nowdir", "-o", "out/greet", "greetings.f90", "main.f90"}));
  EXPECT_EQ(run("out/greet"), "Hello, world!\n");
  EXPECT_EQ(scratch.list("work/out"), (Strings{"greet", "greetings.mod"}));
  EXPECT_FALSE(scratch.exists("work/greetings.mod"));
  // Without -nowdir the module file lands in the current directory, the
  // objects only where -c asks.
  EXPECT_BUILT(f90({"-o", "greet", "greetings.f90", "main.f90"}));
  EXPECT_EQ(scratch.list("work"), (Strings{"greet", "greetings.f90", "greetings.mod", "main.f90", "out"}));
  EXPECT_BUILT(f90({"-c", "greetings.f90", "main.f90"}));
  EXPECT_BUILT(f90({"-o", "greet", "greetings.obj", "main.obj"}));
  EXPECT_EQ(run("greet"), "Hello, world!\n");
}

TEST_F(GnuBuild, ProgramLinkedAgainstALibrary) {
  scratch.mkdir("work/libs");
  const struct {
    Strings make, link;
    Env env;
  } rows[] = {
      {{"-lib", "-o", "libgreet.a"}, {"libgreet.a"}, {}},
      {{"-lib", "-o", "greet.lib"}, {"greet.lib"}, {}},
      // A library named without its directory is found in a -L directory.
      {{"-lib", "-o", "libs/far.lib"}, {"-L", "libs", "far.lib"}, {}},
      {{"-dll", "-o", "libgreet.so"}, {"libgreet.so"}, {{"LD_LIBRARY_PATH", scratch.at("work")}}},
      {{"-dll", "-autoxps", "-o", "libgreet.so"}, {"libgreet.so"}, {{"LD_LIBRARY_PATH", scratch.at("work")}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.make[1]);
    Strings make = row.make, link = {"-o", "app", "main.f90"};
    make.push_back("greetings.f90");
    link.insert(link.end(), row.link.begin(), row.link.end());
    EXPECT_BUILT(f90(make));
    if (row.make[0] == "-lib") {
      EXPECT_EQ(scratch.read("work/" + row.make.back()).substr(0, 8), "!<arch>\n");
    }
    EXPECT_BUILT(f90(link));
    EXPECT_EQ(run("app", row.env), "Hello, world!\n");
  }
}

// Programs built from one command line: the sample under a name with
// blanks, Fortran calling C and C++, and the options that reach the compiler.
TEST_F(GnuBuild, ProgramsThatRun) {
  for (const char* name : {"calc.f90", "add.c", "add.cpp", "shout.F90", "old.f"}) source(name);
  source("my prog.f90", "examples/hello.f90");
  source("shout.f90", "tests/acceptance/programs/shout.F90");  // preprocessed for its -D
  const struct {
    Strings args;
    std::string program, output;
  } rows[] = {
      {{"-O2", "-o", "my prog", "my prog.f90"}, "my prog", "Hello from Fortran!\nThe sum of 1 to 10 is 55\n"},
      {{"-o", "calc", "calc.f90", "add.c"}, "calc", "2 + 3 = 5\n"},
      {{"-o", "calc", "calc.f90", "add.cpp"}, "calc", "2 + 3 = 5\n"},
      {{"-O3", "-o", "prog", "shout.F90"}, "prog", "2147483647\nquiet\n"},
      {{"-i8", "-DSHOUT", "-O1", "-g", "-o", "prog", "shout.f90"}, "prog", "9223372036854775807\nLOUD\n"},
      {{"-o", "prog", "old.f"}, "prog", "SUM 5050\n1\n"},
      {{"-t", "100", "-O3", "-h8", "-H20", "-o", "prog", "old.f"}, "prog", "SUM 5050\n42\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args.back() + " " + row.args[0]);
    EXPECT_BUILT(f90(row.args));
    EXPECT_EQ(run(row.program), row.output);
  }
}

}  // namespace
