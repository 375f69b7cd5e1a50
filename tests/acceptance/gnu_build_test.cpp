// Real programs: the driver with the stand-in tools installed in their GNU
// mode builds Fortran (and C/C++) programs and libraries that run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
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
    // The tools keep what they learn between runs in the cache directory.
    r.env.emplace("XDG_CACHE_HOME", scratch.at("cache"));
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

size_t occurrences(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = 0; (at = text.find(what, at)) != std::string::npos; ++at) ++n;
  return n;
}

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
      // Libraries and options for the GNU linker handed on by -link: an
      // archive after the objects that need it, a shared library found at
      // run time through the search path written into the program.
      {{"-lib", "-o", "libs/libgreet.a"}, {"-link", "-Llibs", "-link", "-lgreet"}, {}},
      {{"-dll", "-o", "libs/libgreet.so"},
       {"-L", "libs", "-link", "-lgreet", "-link", "-rpath", "-link", scratch.at("work/libs")},
       {}},
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
      {{"-DSHOUT", "-USHOUT", "-o", "prog", "shout.f90"}, "prog", "2147483647\nquiet\n"},
      {{"-o", "prog", "old.f"}, "prog", "SUM 5050\n1\n"},
      {{"-t", "100", "-O3", "-h8", "-H20", "-o", "prog", "old.f"}, "prog", "SUM 5050\n42\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args.back() + " " + row.args[0]);
    EXPECT_BUILT(f90(row.args));
    EXPECT_EQ(run(row.program), row.output);
  }
}

// gfortran compiles each source once, except the first of a run when the
// front end could not foresee the later steps' flags: the flags of the run
// before with the same front-end options (kept between runs; below, in row
// order) or, for the first, a guess. The objects have their own flags (debug
// sections with -g only) and the modules are there for the next source. A
// diagnostic shows once, naming the source as the user wrote it; an error
// stops the run before the next source, except that -syntax checks all.
TEST_F(GnuBuild, EachSourceCompiledOnceDiagnosticsShownOnce) {
  scratch.write("work/src/w.f90",
                "program w\n  integer :: a(3)\n  a(4) = 1\n  print *, a(1)\nend program w\n");
  scratch.write("work/src/e.f90", "program e\n  integer ::\nend program e\n");
  const std::string greet[] = {"greetings.f90", "main.f90"};
  const struct {
    Strings args;
    int status;
    size_t compiles, objects, warnings, errors;
  } rows[] = {
      {{"-c", greet[0], greet[1]}, 0, 2, 2, 0, 0},
      {{"-O2", "-c", greet[0], greet[1]}, 0, 2, 2, 0, 0},
      {{"-g", "-c", greet[0], greet[1]}, 0, 3, 2, 0, 0},
      // One call per source, as make does: once the flags are learnt, one compile.
      {{"-g", "-c", greet[0]}, 0, 1, 1, 0, 0},
      {{"-O2", "-g", "-c", greet[0], greet[1]}, 0, 3, 2, 0, 0},
      {{"-O3", "-c", greet[0]}, 0, 2, 1, 0, 0},
      {{"-O3", "-c", greet[1]}, 0, 1, 1, 0, 0},
      {{"-O1", "-c", greet[0]}, 0, 2, 1, 0, 0},
      {{"-O1", "-c", greet[1]}, 0, 1, 1, 0, 0},
      {{"-c", "src/w.f90"}, 0, 2, 1, 1, 0},
      {{"-g", "-c", "src/w.f90"}, 0, 2, 1, 1, 0},
      {{"-g", "-c", "src/w.f90"}, 0, 1, 1, 1, 0},
      {{"-c", "src/e.f90", "src/w.f90"}, 1, 1, 0, 0, 1},
      {{"-syntax", "src/w.f90", "src/e.f90"}, 1, 0, 0, 1, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args[0] + " " + row.args[1] + " " + row.args.back());
    RunResult r = f90(row.args, {{"F90_GNU_ECHO", "1"}});
    EXPECT_EQ(r.status, row.status) << r.err;
    auto count = [&r](const std::string& text) { return occurrences(r.err, text); };
    EXPECT_EQ(count(": gfortran -c "), row.compiles) << r.err;
    EXPECT_EQ(count("Warning: Array reference at (1) is out of bounds"), row.warnings) << r.err;
    EXPECT_EQ(count("src/w.f90:3:4:"), row.warnings) << r.err;
    EXPECT_EQ(count("Error: "), row.errors) << r.err;
    EXPECT_EQ(count("src/e.f90:2:12:"), row.errors) << r.err;
    EXPECT_EQ(count(scratch.at("work/src")), 0u) << r.err;
    EXPECT_EQ(count("ftfront failed."), row.status == 1 ? 1u : 0u) << r.err;
    // The objects of -c, one a source, with debug sections when -g was asked for.
    bool debug = std::find(row.args.begin(), row.args.end(), "-g") != row.args.end();
    size_t objects = 0;
    for (const std::string& name : scratch.list("work"))
      if (name.size() > 4 && name.substr(name.size() - 4) == ".obj") {
        ++objects;
        EXPECT_EQ(scratch.read("work/" + name).find(".debug_info") != std::string::npos, debug) << name;
        std::remove(scratch.at("work/" + name).c_str());
      }
    EXPECT_EQ(objects, row.objects);
  }
}

}  // namespace
