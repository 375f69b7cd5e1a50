// Faults around the tools and the temporary directory: whatever goes wrong,
// the driver says so, ends with the right status, deletes what it must and
// leaves no temporary directory behind unless -keep was given.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/harness.h"

namespace {

class Faults : public ::testing::Test {
 protected:
  Suite suite;
  void SetUp() override { suite.sources({"a.f90", "b.f90"}); }
};

TEST_F(Faults, ReadOnlyFileAtExitIsReportedAndTheDirectoryKept) {
  // ftfront leaves its .bif files read-only; the other files go.
  RunResult r = suite.run({"-c", "a.f90", "b.f90"}, {{"F90_TOOL_READONLY", "ftfront=1"}});
  EXPECT_EQ(r.status, 0) << "removal does not change the status";
  Lines left = suite.temp_left();
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(suite.scratch.list("tmp/" + left[0]), (Lines{"a.bif", "b.bif"}));
  // Each stuck file is reported when reached and again after every later
  // successful deletion (a.int, then b.int).
  std::string code = std::to_string(target_is_windows() ? 5 : 13);
  std::string a = "Error deleting file " + X("Ta.bif: ") + code + "\n";
  std::string b = "Error deleting file " + X("Tb.bif: ") + code + "\n";
  EXPECT_EQ(suite.normalize(r.err), a + a + b + a + b);
}

// A temporary path that is not there, or too long for any name in it: the
// run ends before any step, saying so. For the first the name tried is
// echoed as a made directory's would be, from mkdir to rmdir.
TEST_F(Faults, UnusableTemporaryPath) {
  const std::string gone = suite.scratch.at("no/such/dir");
  const std::string tried = target_path(gone) + target_sep();
  const struct {
    std::string temp, starts, then;
  } rows[] = {
      {gone, "mkdir " + tried, "\nUnable to create a directory for temporary files:\n" + tried},
      {"/" + std::string(2000, 't'), "\nCan not find Temp directory: ",
       "\nIn order to run the program, check the enviroment temp variable, \nthen create that folder\n"},
  };
  for (const auto& row : rows) {
    DriverRun d = suite.prepare({"-v", "-c", "a.f90"});
    d.temp_dir = row.temp;
    RunResult r = run_driver(d);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.rfind(row.starts, 0), 0u) << r.out.substr(0, 200);
    EXPECT_NE(r.out.find(row.then), std::string::npos) << r.out.substr(0, 200);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(suite.commands(), Lines{});
    if (row.temp == gone) {
      std::string name = r.out.substr(6, r.out.find('\n') - 6);
      EXPECT_EQ(r.out, "mkdir " + name + "\n\nUnable to create a directory for temporary files:\n" + name +
                           "\ndel " + name + "*.*\nrmdir " + name + "\n");
    } else {
      EXPECT_EQ(r.out.find("del "), std::string::npos) << "no name, nothing to echo at exit";
    }
  }
}

TEST_F(Faults, RunsThatFailBeforeAnyStepMakeNoDirectory) {
  for (const Lines& args : {Lines{"-help"}, Lines{"-zzz", "a.f90"}, Lines{"nosuch.f90"},
                            Lines{"-o", "x", "-out:y", "a.f90"}}) {
    SCOPED_TRACE(args[0]);
    suite.run(args);
    EXPECT_EQ(suite.temp_left(), Lines{});
  }
}

// Every interrupt a terminal can send (Ctrl+C, Ctrl+\, a hang-up, a kill
// request), while a compile step runs and while the link runs, ends the run
// with status 1 through the same clean-up: no temporary directory, no object.
TEST_F(Faults, InterruptEndsTheRunWithStatusOneAndNothingLeft) {
  // A POSIX signal to wine becomes a console event, a kill or nothing,
  // depending on timing, and wine's GenerateConsoleCtrlEvent refuses to send
  // Ctrl+Break (ERROR_INVALID_HANDLE with a console, ERROR_INVALID_ACCESS
  // without one).
  if (target_is_windows()) GTEST_SKIP() << "wine delivers no console interrupt";
  const struct {
    int signal;
    const char* tool;
    Lines args;
  } rows[] = {
      {SIGINT, "ftfront", {"-c", "a.f90"}},
      {SIGQUIT, "ftfront", {"-c", "a.f90"}},
      {SIGTERM, "ocgen", {"-c", "a.f90"}},
      {SIGHUP, "ftfront", {"-c", "a.f90"}},
      {SIGINT, "olink", {"a.f90", "b.f90", "-o", "p"}},
      {SIGQUIT, "olink", {"a.f90", "b.f90", "-o", "p"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(strsignal(row.signal)) + " during " + row.tool);
    RunResult r = suite.run_interrupted(row.args, row.tool, row.signal);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(suite.temp_left(), Lines{});
    EXPECT_FALSE(suite.scratch.exists("work/a.obj"));
  }
}

// What wine prints for a failing tool (on a loaded machine, say) is not the
// driver's: the harness sets it apart before the tests compare, and keeps
// every line that only contains such text.
TEST(WineLines, SetApartFromTheDriversOwn) {
  const std::string wine =
      "Inconsistency detected by ld.so: dl-fini.c: 87: _dl_fini: Assertion `ns' failed!\n"
      "wine: could not load ntdll.so: x\n0024:err:module:import_dll Library a.dll not found\n"
      "0020:0024:fixme:ntdll:NtQuerySystemInformation info_class 5\n  1.234:0024:warn:seh:f x\nerr:virtual:f y\n";
  const std::string driver = "ocgen failed.\nERROR: File not found: wine: x\nwine:x\nerr: x\nfixme:x\n0024:err:x\nend";
  std::string set_apart;
  EXPECT_EQ(without_wine_lines(wine + driver, set_apart), driver);
  EXPECT_EQ(set_apart, wine);
}

}  // namespace
