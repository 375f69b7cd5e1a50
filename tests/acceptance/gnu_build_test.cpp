// Real programs: the driver with the stand-in tools installed in their GNU
// mode builds Fortran (and C/C++) programs and libraries that run, for this
// host and for Windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/harness.h"

namespace {

using Strings = std::vector<std::string>;
using Env = std::map<std::string, std::optional<std::string>>;

class GnuBuild : public ::testing::Test {
 protected:
  // For a target (`triple`), the programs run under `loader` (wine).
  explicit GnuBuild(std::string target = "", Strings runner = {}) : triple(target), loader(runner) {}

  void SetUp() override {
    std::string gnu = triple.empty() ? "" : triple + "-";
    if (std::system(("(command -v " + gnu + "gfortran && command -v " + gnu + "gcc && command -v " + gnu +
                     "g++) >/dev/null 2>&1")
                        .c_str()) != 0)
      GTEST_SKIP() << "the GNU toolchain (" << gnu << "gfortran, gcc, g++) is not installed";
    scratch.mkdir("work");
    scratch.mkdir("tmp");
    // Installed by the build's own install, in the GNU mode whatever the
    // build was configured with; the driver then finds its installation from
    // its own place.
    DriverRun install;
    install.program = F90_CMAKE_COMMAND;
    install.args = {"-DF90_STANDIN_MODE=gnu", "-DF90_GNU_TARGET=" + triple,
                    "-DCMAKE_INSTALL_PREFIX=" + scratch.at("install"), "-P",
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

  // A program that was built, run; its line ends as "\n".
  RunResult run_program(const std::string& program, const Env& env = {}) {
    DriverRun r;
    r.program = scratch.at("work/" + program);
    r.cwd = scratch.at("work");
    r.env = env;
    r.env.emplace("GFORTRAN_UNBUFFERED_PRECONNECTED", "y");  // a DLL's units and the program's, in order
    r.loader = loader;
    RunResult result = run_driver(r);
    result.out.erase(std::remove(result.out.begin(), result.out.end(), '\r'), result.out.end());
    return result;
  }
  std::string run(const std::string& program, const Env& env = {}) { return run_program(program, env).out; }

  // Copies a program of tests/acceptance/programs (or `path` below the
  // sources) into the work directory as `name`.
  void source(const std::string& name, const std::string& path = "") {
    std::string from = path.empty() ? "tests/acceptance/programs/" + name : path;
    scratch.write("work/" + name, read_file(std::string(F90_SOURCE_DIR) + "/" + from));
  }

  void mixed_language_builds();

  // Every run removes its temporary directory.
  void TearDown() override {
    if (!IsSkipped()) {
      EXPECT_EQ(scratch.list("tmp"), Strings{});
    }
  }

  const std::string triple;
  const Strings loader;
  Scratch scratch;
};

size_t occurrences(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = 0; (at = text.find(what, at)) != std::string::npos; ++at) ++n;
  return n;
}

Strings words(const std::string& text) {
  std::istringstream in(text);
  return Strings(std::istream_iterator<std::string>(in), std::istream_iterator<std::string>());
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

// Once the front end has learnt gfortran's steps for a command, it runs
// them itself: the object is byte for byte the one gfortran makes.
TEST_F(GnuBuild, GfortransStepsRunDirectlyMakeGfortransObject) {
  scratch.write("work/pre.F90", "program pre\n  print *, X\nend program pre\n");
  // gfortran, counting its runs.
  scratch.write("gf", "#!/bin/sh\necho >>" + scratch.at("runs") + "\nexec gfortran \"$@\"\n");
  ASSERT_EQ(std::system(("chmod +x " + scratch.at("gf")).c_str()), 0);
  for (const Strings& args : {Strings{"-g", "-c", "greetings.f90"}, Strings{"-O1", "-DX=7", "-c", "pre.F90"}}) {
    SCOPED_TRACE(args.back());
    f90(args, {{"F90_GNU_FC", scratch.at("gf")}});  // learns the flags
    f90(args, {{"F90_GNU_FC", scratch.at("gf")}});  // and gfortran's steps for them
    std::string runs = scratch.read("runs");
    RunResult r = f90(args, {{"F90_GNU_ECHO", "1"}, {"F90_GNU_FC", scratch.at("gf")}});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(scratch.read("runs"), runs);
    Strings compile = words(r.err.substr(r.err.find("ftfront: ") + 9, r.err.find('\n') - 9));
    ASSERT_EQ(occurrences(r.err, ": " + scratch.at("gf") + " -c "), 1u) << r.err;
    std::string command = "cd " + scratch.at("work") + " && " + compile[0];
    for (size_t i = 1; i < compile.size(); ++i) command += " " + (compile[i - 1] == "-o" ? scratch.at("ref.o") : compile[i]);
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::string object = "work/" + args.back().substr(0, args.back().find('.')) + ".obj";
    EXPECT_TRUE(scratch.read(object) == scratch.read("ref.o")) << command;
  }
  size_t lessons = 0;
  for (const std::string& name : scratch.list("cache/orvane-f90"))
    lessons += name.rfind("direct-", 0) == 0 && scratch.read("cache/orvane-f90/" + name).find("f951") != std::string::npos;
  EXPECT_GE(lessons, 2u);
}

// Fortran and C as this suite's users mix them: C calls the Fortran library
// (MEANSD, DOTP) and shares its common block CONFIG by the names of each
// naming, or by gfortran's, and the library calls C's CNOTE back or a
// plain gfortran library's; built into a program, a static library and a
// shared library or DLL (with a module-definition file on Windows).
void GnuBuild::mixed_language_builds() {
  for (const char* name : {"stats.f", "names.h", "cmain.c", "cnote.c", "fnote.f", "fmain.f", "stats.def"})
    source(name, std::string("tests/acceptance/programs/mixed/") + name);
  const std::string gnu = triple.empty() ? "" : triple + "-";
  // The plain gfortran library, as an archive and as a shared library on the host.
  std::string plain = "cd " + scratch.at("work") + " && " + gnu + "gfortran -c fnote.f && " + gnu +
                      "ar rcs libfnote.a fnote.o";
  if (triple.empty()) plain += " && gfortran -shared -o libfnote.so fnote.o";
  ASSERT_EQ(std::system(plain.c_str()), 0);
  const std::string results = "mean 5 sd 2.7386 calls 1 dotp 30\n", out = "CNOTE 4\n" + results,
                    plain_out = "fnote 4\n" + results, program = triple.empty() ? "app" : "app.exe";
  const std::string dll = triple.empty() ? "-dll -o libstats.so" : "-dll -exports:stats.def -o stats.dll";
  const std::string with_dll = triple.empty() ? "libstats.so -link -rpath -link " + scratch.at("work") : "stats.lib";
  const struct {
    std::string args, output = "";
  } rows[] = {
      {"-o app cmain.c stats.f cnote.c", out},
      {"-YVAR_NAMES=LCS -DLOWER -o app cmain.c stats.f cnote.c", out},
      {"-g77 -DGNU -o app cmain.c stats.f cnote.c", out},
      // C written for gfortran's names links against the suite's.
      {"-DGNU -o app cmain.c stats.f cnote.c", out},
      {"-o app cmain.c stats.f -link -L. -link -lfnote -link -rpath -link .", plain_out},
      {"-YVAR_NAMES=LCS -o app cmain.c stats.f -DLOWER -link -L. -link -l:libfnote.a", plain_out},
      {"-lib -o stats.lib stats.f"},
      {"-o app cmain.c cnote.c stats.lib", out},
      {dll + " stats.f cnote.c"},
      {"-o app cmain.c " + with_dll, out},
      {"-o app fmain.f " + with_dll, "dotp 14.0\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args);
    RunResult r = f90(words(row.args));
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    if (!row.output.empty()) {
      EXPECT_EQ(run(program), row.output);
    }
  }
  if (!triple.empty()) {
    DriverRun objdump;
    objdump.program = "/usr/bin/" + triple + "-objdump";
    objdump.args = {"-p", scratch.at("work/stats.dll")};
    std::string headers = run_driver(objdump).out;
    for (const char* name : {"] CONFIG\n", "] DOTP\n", "] MEANSD\n"})
      EXPECT_NE(headers.find(name), std::string::npos) << headers;
    EXPECT_EQ(headers.find("meansd_"), std::string::npos);
  }
  // A missing routine is named as the code calls it.
  RunResult r = f90({"-o", "bad", "cmain.c", "stats.f"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("undefined reference to `CNOTE'"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("link failed.\n"), std::string::npos) << r.err;
}

TEST_F(GnuBuild, MixedLanguageBuilds) { mixed_language_builds(); }

// Real Windows programs: the suite installed for the target that
// scripts/test-win-programs names (F90_WIN_TARGET) builds them with the
// MinGW-w64 tools, and wine (F90_WIN_WINE) runs them. Skipped without it.
std::string env_or_empty(const char* name) { return std::getenv(name) ? std::getenv(name) : ""; }

class WindowsBuild : public GnuBuild {
 protected:
  WindowsBuild() : GnuBuild(env_or_empty("F90_WIN_TARGET"), {env_or_empty("F90_WIN_WINE")}) {}
  void SetUp() override {
    if (triple.empty() || loader[0].empty()) GTEST_SKIP() << "no Windows target named";
    GnuBuild::SetUp();
  }
  bool x86_64() const { return triple.rfind("x86_64", 0) == 0; }
};


TEST_F(WindowsBuild, ProgramsLibrariesAndDllsRunUnderWine) {
  for (const char* name : {"api.f90", "fcaller.f90", "ccaller.c", "dups.f90", "first.f90", "second.f90"})
    source(name, std::string("tests/acceptance/programs/windows/") + name);
  for (const char* name : {"calc.f90", "add.cpp"}) source(name);
  source("hello.f90", "examples/hello.f90");
  // The stdcall function as the linker names it.
  const std::string twice = x86_64() ? "twice" : "twice@4";
  scratch.write("work/api.def", "EXPORTS\n  greet\n  " + twice + "\n");
  scratch.write("work/undefined.def", "EXPORTS\n  greet\n  nosuch\n");
  const std::string greet = "Hello, world!\n", dll = "Hello from the DLL!\ntwice(21) = 42\n";
  const std::string fcaller = dll + "MulDiv(6, 7, 2) = 21\n";
  // The PE header's sizes as objdump shows them: 16 hex digits for PE32+, 8 for PE32.
  const std::string pad = x86_64() ? "\t00000000" : "\t";
  // One build a row (none when `args` is empty); then the program run under
  // wine (an empty `output`: it must fail to start), and a file looked at
  // with objdump -p -h: what it shows, and what not.
  const struct {
    std::string args, program = "", output = "", inspect = "";
    Strings shows = {}, hides = {};
    Env env = {};
  } rows[] = {
      {"-O2 -o hello hello.f90", "hello.exe", "Hello from Fortran!\nThe sum of 1 to 10 is 55\n", "hello.exe",
       {"(Windows CUI)", "DLL Name: KERNEL32.dll"}, {"libgfortran", ".debug_info"}},
      {"-g -o hello.exe hello.f90", "", "", "hello.exe", {".debug_info"}},
      {"-wsim -stack:0x400000,0x2000 -heap:1048576 -map:gui.map -o gui greetings.f90 main.f90", "gui.exe", greet,
       "gui.exe", {"(Windows GUI)", "SizeOfStackReserve" + pad + "00400000", "SizeOfStackCommit" + pad + "00002000",
                   "SizeOfHeapReserve" + pad + "00100000"}},
      {"-lib -o util.lib greetings.f90"}, {"-o app main.f90 util.lib", "app.exe", greet},
      {"-dll -o all.dll api.f90", "", "", "all.dll", {"] greet", "] " + twice + "\n"}, {"gfortran"}},
      {"-dll -exports:api.def -o api.dll api.f90", "", "", "api.dll", {"] greet", "] " + twice + "\n"}, {"_MOD"}},
      {"-o fcaller fcaller.f90 api.lib", "fcaller.exe", fcaller, "fcaller.exe", {"DLL Name: api.dll"}},
      {"-o ccaller ccaller.c api.lib", "ccaller.exe", dll},
      {"-dll -unmanglexps -exports:api.def -o api.dll api.f90", "", "", "api.dll", {"] twice\n"}, {"twice@"}},
      {"-o fcaller fcaller.f90 api.lib", "fcaller.exe", fcaller},
      {"-dll -autoxps -o auto.dll api.f90 greetings.f90", "", "", "auto.dll", {"] greet", "] __greetings_MOD_greet"}},
      {"-o fcaller fcaller.f90 auto.lib", "fcaller.exe", fcaller},
      {"-o calc calc.f90 add.cpp", "calc.exe", "2 + 3 = 5\n"},
      {"-usedll -o dyn greetings.f90 main.f90", "dyn.exe", "", "dyn.exe", {"DLL Name: libgfortran-5.dll"}},
      {"", "dyn.exe", greet, "", {}, {}, {{"WINEPATH", env_or_empty("F90_WIN_RUNTIME")}}},
      {"-o dups dups.f90 first.f90 second.f90", "dups.exe", "first\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args + " " + row.program);
    if (!row.args.empty()) {
      // Nothing to warn about either: the entry point, say, is the target's.
      RunResult r = f90(words(row.args));
      EXPECT_EQ(r.status, 0) << r.out << r.err;
      EXPECT_EQ(r.err, "");
    }
    if (!row.program.empty()) {
      RunResult r = run_program(row.program, row.env);
      EXPECT_EQ(r.status == 0, !row.output.empty()) << r.status << r.err << r.wine;
      EXPECT_EQ(r.out, row.output) << r.err;
    }
    if (!row.inspect.empty()) {
      DriverRun objdump;
      objdump.program = "/usr/bin/" + triple + "-objdump";
      objdump.args = {"-p", "-h", scratch.at("work/" + row.inspect)};
      std::string headers = run_driver(objdump).out;
      for (const std::string& s : row.shows) EXPECT_NE(headers.find(s), std::string::npos) << s;
      for (const std::string& s : row.hides) EXPECT_EQ(headers.find(s), std::string::npos) << s;
    }
  }
  EXPECT_NE(scratch.read("work/gui.map").find("Linker script and memory map"), std::string::npos);
  // Bad input: olink says what is wrong, and no half-made file is left.
  const std::string bad[][2] = {
      {"-reportDups -o bad dups.f90 first.f90 second.f90", "multiple definition of `which_'"},
      {"-stack:1M -o bad hello.f90", "olink: malformed \"-stack:1M\""},
      {"-dll -exports:none.def -o bad.dll api.f90", "olink: the export list \"none.def\" (-exports:) does not exist"},
      {"-dll -exports:undefined.def -o bad.dll api.f90", "nosuch"},
  };
  for (const auto& row : bad) {
    RunResult r = f90(words(row[0]));
    EXPECT_EQ(r.status, 1) << row[0];
    EXPECT_NE(r.err.find(row[1]), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("link failed.\n"), std::string::npos) << r.err;
    for (const std::string& name : scratch.list("work")) EXPECT_NE(name.rfind("bad", 0), 0u) << name;
  }
}

TEST_F(WindowsBuild, MixedLanguageBuildsRunUnderWine) { mixed_language_builds(); }

}  // namespace
