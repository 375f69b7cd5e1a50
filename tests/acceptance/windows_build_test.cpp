// Real Windows programs: the suite installed with a Windows target builds
// executables, libraries and DLLs with the MinGW-w64 tools, and each is run
// under wine. Run by scripts/test-win-programs, which installs the suite and
// names it here (F90_WIN_SUITE, F90_WIN_TARGET, F90_WIN_WINE); skipped
// without it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/harness.h"

namespace {

using Strings = std::vector<std::string>;
using Env = std::map<std::string, std::optional<std::string>>;

std::string env_or_empty(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

class WindowsBuild : public ::testing::Test {
 protected:
  void SetUp() override {
    if (suite.empty() || triple.empty() || wine.empty())
      GTEST_SKIP() << "no Windows-target suite named (scripts/test-win-programs runs these)";
    scratch.mkdir("tmp");
    for (const char* name : {"api.f90", "fcaller.f90", "ccaller.c", "dups.f90", "first.f90", "second.f90"})
      copy("tests/acceptance/programs/windows/", name);
    copy("examples/", "hello.f90");
    copy("tests/acceptance/programs/", "greetings.f90");
    copy("tests/acceptance/programs/", "main.f90");
    copy("tests/acceptance/programs/", "calc.f90");
    copy("tests/acceptance/programs/", "add.cpp");
    // The stdcall function as the linker names it.
    scratch.write("work/api.def", "EXPORTS\n  greet\n  " + decorated("twice") + "\n");
    scratch.write("work/bad.def", "EXPORTS\n  greet\n  nosuch\n");
  }

  void copy(const std::string& dir, const std::string& name) {
    scratch.write("work/" + name, read_file(std::string(F90_SOURCE_DIR) + "/" + dir + name));
  }

  bool x86_64() const { return triple.rfind("x86_64", 0) == 0; }
  std::string decorated(const std::string& name) const { return x86_64() ? name : name + "@4"; }
  // A PE header field as objdump shows it: 16 hex digits for PE32+, 8 for PE32.
  std::string field(const std::string& name, unsigned long value) const {
    char hex[32];
    std::snprintf(hex, sizeof hex, x86_64() ? "%016lx" : "%08lx", value);
    return name + "\t" + hex;
  }

  RunResult f90(const Strings& args) {
    DriverRun r;
    r.args = args;
    r.cwd = scratch.at("work");
    r.program = suite + "/bin/f90";
    r.temp_dir = scratch.at("tmp");
    r.env = {{"PATH", suite + "/bin:" + env_or_empty("PATH")}};
    r.timeout_seconds = 180;
    return run_driver(r);
  }

  RunResult run(const std::string& program, const Env& env) {
    DriverRun r;
    r.program = scratch.at("work/" + program);
    r.cwd = scratch.at("work");
    r.env = env;
    r.env.emplace("GFORTRAN_UNBUFFERED_PRECONNECTED", "y");
    r.loader = {wine};
    r.timeout_seconds = 120;
    RunResult result = run_driver(r);
    for (std::string* text : {&result.out, &result.err}) {
      std::string plain;
      for (char c : *text)
        if (c != '\r') plain += c;
      *text = plain;
    }
    return result;
  }

  std::string objdump(const std::string& file) {
    DriverRun r;
    r.program = "/usr/bin/" + triple + "-objdump";
    r.args = {"-p", "-h", scratch.at("work/" + file)};
    return run_driver(r).out;
  }

  const std::string suite = env_or_empty("F90_WIN_SUITE"), triple = env_or_empty("F90_WIN_TARGET"),
                    wine = env_or_empty("F90_WIN_WINE");
  Scratch scratch;
};

// One build a row (none when `args` is empty), then the program run under
// wine and the file looked at with objdump (-p -h).
struct Row {
  std::string what;
  Strings args;
  int status;             // f90's
  Strings messages;       // in what f90 printed
  std::string program;    // run under wine when not empty
  std::string output;     // its output when it ran with status 0
  std::string inspect;    // given to objdump
  Strings shows, hides;   // in what objdump prints, and not in it
  Strings files, absent;  // files of the work directory there afterwards, and not
  Env env;                // for the program's run
  bool runs = true;       // with status 0
};

TEST_F(WindowsBuild, ProgramsLibrariesAndDllsRunUnderWine) {
  const std::string runtime_dir = env_or_empty("F90_WIN_RUNTIME");
  const std::string fcaller_output = "Hello from the DLL!\ntwice(21) = 42\nMulDiv(6, 7, 2) = 21\n";
  const std::string greet = "Hello, world!\n";
  const Row rows[] = {
      {"console program, runtime linked in, no debug information",
       {"-O2", "-o", "hello", "hello.f90"}, 0, {}, "hello.exe",
       "Hello from Fortran!\nThe sum of 1 to 10 is 55\n", "hello.exe",
       {"(Windows CUI)", "DLL Name: KERNEL32.dll"}, {"libgfortran", ".debug_info"}, {}, {}, {}},
      {"-g keeps the debug information", {"-g", "-o", "hello.exe", "hello.f90"}, 0, {}, "", "", "hello.exe",
       {".debug_info"}, {}, {}, {}, {}},
      {"-wsim: GUI subsystem, the Fortran main program runs; stack, heap, map",
       {"-wsim", "-stack:0x400000,0x2000", "-heap:1048576", "-map:gui.map", "-o", "gui", "greetings.f90",
        "main.f90"},
       0, {}, "gui.exe", greet, "gui.exe",
       {"(Windows GUI)", field("SizeOfStackReserve", 0x400000), field("SizeOfStackCommit", 0x2000),
        field("SizeOfHeapReserve", 1048576)},
       {}, {"gui.map"}, {}, {}},
      {"a static library (.lib) linked from", {"-lib", "-o", "util.lib", "greetings.f90"}, 0, {}, "", "", "",
       {}, {}, {"util.lib"}, {}, {}},
      {"", {"-o", "app", "main.f90", "util.lib"}, 0, {}, "app.exe", greet, "", {}, {}, {}, {}, {}},
      {"a DLL with its export list and import library",
       {"-dll", "-exports:api.def", "-o", "api.dll", "api.f90"}, 0, {}, "", "", "api.dll",
       {"] greet", "] " + decorated("twice") + "\n"}, {"__api_MOD"}, {"api.lib"}, {}, {}},
      {"a DLL with no export list exports what its objects define", {"-dll", "-o", "all.dll", "api.f90"}, 0, {},
       "", "", "all.dll", {"] greet", "] " + decorated("twice") + "\n"}, {"gfortran"}, {"all.lib"}, {}, {}},
      {"a Fortran caller: the DLL and the Win32 API", {"-o", "fcaller", "fcaller.f90", "api.lib"}, 0, {},
       "fcaller.exe", fcaller_output, "fcaller.exe", {"DLL Name: api.dll"}, {}, {}, {}, {}},
      {"a C caller", {"-o", "ccaller", "ccaller.c", "api.lib"}, 0, {}, "ccaller.exe",
       "Hello from the DLL!\ntwice(21) = 42\n", "", {}, {}, {}, {}, {}},
      {"-unmanglexps: exports without @n", {"-dll", "-unmanglexps", "-exports:api.def", "-o", "api.dll", "api.f90"},
       0, {}, "", "", "api.dll", {"] greet", "] twice\n"}, {"twice@"}, {}, {}, {}},
      {"", {"-o", "fcaller", "fcaller.f90", "api.lib"}, 0, {}, "fcaller.exe", fcaller_output, "", {}, {}, {}, {},
       {}},
      {"-autoxps: every public symbol exported",
       {"-dll", "-autoxps", "-o", "auto.dll", "api.f90", "greetings.f90"}, 0, {}, "", "", "auto.dll",
       {"] greet", "] __greetings_MOD_greet"}, {}, {"auto.lib"}, {}, {}},
      {"", {"-o", "fcaller", "fcaller.f90", "auto.lib"}, 0, {}, "fcaller.exe", fcaller_output, "", {}, {}, {},
       {}, {}},
      {"C++ through OCC", {"-o", "calc", "calc.f90", "add.cpp"}, 0, {}, "calc.exe", "2 + 3 = 5\n", "", {}, {},
       {}, {}, {}},
      {"-usedll: gfortran's runtime DLLs", {"-usedll", "-o", "dyn", "greetings.f90", "main.f90"}, 0, {},
       "dyn.exe", "", "dyn.exe", {"DLL Name: libgfortran-5.dll"}, {}, {}, {}, {}, false},
      {"", {}, 0, {}, "dyn.exe", greet, "", {}, {}, {}, {}, {{"WINEPATH", runtime_dir}}},
      {"a duplicate definition is let through", {"-o", "dups", "dups.f90", "first.f90", "second.f90"}, 0, {}, "dups.exe",
       "first\n", "", {}, {}, {}, {}, {}},
      {"-reportDups makes it an error", {"-reportDups", "-o", "dups", "dups.f90", "first.f90", "second.f90"}, 1,
       {"multiple definition of `which_'", "link failed."}, "", "", "", {}, {}, {}, {"dups.exe"}, {}},
      {"a malformed -stack:", {"-stack:1M", "-o", "bad", "hello.f90"}, 1,
       {"olink: malformed \"-stack:1M\"", "link failed."}, "", "", "", {}, {}, {}, {"bad.exe"}, {}},
      {"an export list that is not there", {"-dll", "-exports:none.def", "-o", "bad.dll", "api.f90"}, 1,
       {"olink: the export list \"none.def\" (-exports:) does not exist", "link failed."}, "", "", "", {}, {},
       {}, {"bad.dll", "bad.lib"}, {}},
      {"an export no object defines", {"-dll", "-exports:bad.def", "-o", "bad.dll", "api.f90"}, 1,
       {"nosuch", "link failed."}, "", "", "", {}, {}, {}, {"bad.dll", "bad.lib"}, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what + (row.args.empty() ? "" : ": f90 " + row.args[0] + " ... " + row.args.back()));
    if (!row.args.empty()) {
      RunResult r = f90(row.args);
      EXPECT_EQ(r.status, row.status) << r.out << r.err;
      for (const std::string& message : row.messages) EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    }
    if (!row.program.empty()) {
      RunResult r = run(row.program, row.env);
      EXPECT_EQ(r.status == 0, row.runs) << r.status << r.err << r.wine;
      if (row.runs) {
        EXPECT_EQ(r.out, row.output) << r.err;
      }
    }
    if (!row.inspect.empty()) {
      std::string headers = objdump(row.inspect);
      for (const std::string& s : row.shows) EXPECT_NE(headers.find(s), std::string::npos) << s << "\n" << headers;
      for (const std::string& s : row.hides) EXPECT_EQ(headers.find(s), std::string::npos) << s << "\n" << headers;
    }
    for (const std::string& file : row.files) EXPECT_TRUE(scratch.exists("work/" + file)) << file;
    for (const std::string& file : row.absent) EXPECT_FALSE(scratch.exists("work/" + file)) << file;
  }
  EXPECT_NE(scratch.read("work/gui.map").find("Linker script and memory map"), std::string::npos);
}

}  // namespace
