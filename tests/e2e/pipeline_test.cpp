// The per-file pipeline run as a process against the stand-in tools: the
// exact command lines each tool received, the files left behind, the
// messages and the exit status; the temporary directory, and every way a
// run can fail.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "tests/support/harness.h"

namespace {

class Pipeline : public ::testing::Test {
 protected:
  Suite suite;
};

// With -c the object gets exactly the name -o gives, and goes on as an
// object whatever that name's extension would otherwise call for: it is not
// compiled again. C sources alone make no temporary directory: none is
// echoed.
TEST_F(Pipeline, CompileOnlyWithOutputNameWritesThatName) {
  suite.sources({"u.c", "a.f90"});
  suite.scratch.mkdir("work/out");
  const struct {
    std::string source, output;
  } rows[] = {
      {"u.c", "out/x.o"}, {"u.c", "y.cpp"},   {"u.c", "y.c"},     {"a.f90", "out.f90"},
      {"a.f90", "x.c"},   {"a.f90", "x.bif"}, {"a.f90", "x.int"}, {"a.f90", "x.FOR"},
      {"a.f90", "x.cxx"}, {"a.f90", "x"},
  };
  for (const auto& row : rows) {
    for (bool dry : {true, false}) {  // the dry run first: it leaves no file
      SCOPED_TRACE(row.output + (dry ? " -dryrun" : ""));
      const std::string output = X(row.output);  // as the driver under test spells it
      Lines args = {"-v", "-c", "-o", output, row.source};
      if (dry) args[0] = "-dryrun";
      DriverRun d = suite.prepare(args);
      d.timeout_seconds = 30;  // ends a run that compiles its object again and again
      RunResult r = run_driver(d);
      ASSERT_EQ(r.status, 0) << r.err;
      const bool c = row.source == "u.c";
      const Lines want = c ? Lines{X("OCC -A -c u.c -o ") + output}
                           : Lines{X("I/bin/ftfront{exe} -Ab -p. -pI/F90INC -FTa.bif a.f90"),
                                   X("I/bin/ixform{exe} -hmif=p -o Ta.int Ta.bif"),
                                   X("I/bin/ocgen{exe} -N76 -N61 -N104 -N105 -N162 -o ") + output + X(" -i Ta.int")};
      std::string echo;
      for (const std::string& line : want) echo += line + "\n";
      EXPECT_EQ(suite.normalize(r.out), c ? echo : temp_dir_echo(echo));
      EXPECT_EQ(suite.commands(), dry ? Lines{} : want);
      EXPECT_EQ(suite.scratch.exists("work/" + row.output), !dry);
    }
  }
}

TEST_F(Pipeline, ClassificationByExtension) {
  struct Row {
    std::string input;
    std::string first_tool;  // "" : handed to the linker
    std::string kind = "-c";  // the run's product: each row's edge
  };
  const Row rows[] = {
      {"x.F90", "ftfront"}, {"x.f90", "ftfront"}, {"x.FOR", "ftfront"}, {"x.For", "ftfront"}, {"x.fOR", "ftfront", "-syntax"},
      {"x.F", "ftfront", "-syntax"}, {"x.f95", "ftfront", "-syntax"}, {"x.F9", ""}, {"x.bif", "ixform"}, {"x.BIF", ""}, {"x.int", "ocgen"},
      {"x.INT", ""}, {"x.c", "OCC -A"}, {"x.C", "OCC -c++"}, {"x.cc", "OCC -c++"}, {"x.CC", "OCC -c++"},
      {"x.Cpp", "OCC -c++"}, {"x.cxx", "OCC -c++"}, {"x.c++", "OCC -c++"}, {"x.cp", "OCC -c++"}, {"x.S", ""},
      {"x.MM", ""}, {"x.Mm", ""}, {"x.", ""}, {"x.FO", ""}, {"x.bif", "ixform", "-S"}, {"x.bif", "", "-syntax"},
      {"x.int", "ocgen", "-S"}, {"x.int", "", "-syntax"}, {"x.s", "", "-S"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.input);
    // Windows drops the dot that ends a file name: there "x." names the file x.
    suite.sources({target_is_windows() && row.input == "x." ? "x" : row.input});
    RunResult r = suite.run({row.kind, row.input});
    ASSERT_EQ(r.status, 0) << r.err;
    Lines cmds = suite.commands();
    EXPECT_TRUE(row.first_tool.empty() ? cmds.empty() : !cmds.empty() && cmds[0].find(row.first_tool) != std::string::npos)
        << (cmds.empty() ? "no tool ran" : cmds[0]);
  }
}

// Whole runs: how many lines the tools received and the last of them.
TEST_F(Pipeline, ToolLinesOfWholeRuns) {
  suite.sources({"a.f90", "b.c", "b.obj", "c.obj", "nodot", "d2.c", "my prog.f90", "a/v.1.f90", "b/v.1.f90",
                 "a/util.f90", "b/util.f90", "b/Util.c", "e.c", "e.cpp"});
  const struct {
    Lines args;
    size_t count;
    Lines last;
    std::map<std::string, std::optional<std::string>> env = {};
  } rows[] = {
      // A syntax check runs only the front end.
      {{"-syntax", "a.f90", "b.c"}, 1, {X("I/bin/ftfront{exe} -Ab -p. -dB -pI/F90INC -FTa.bif a.f90")}},
      // Inputs are linked in command-line order.
      {{"b.obj", "a.f90", "c.obj", "nodot"}, 4,
       {X("I/bin/olink{exe} -ignoredups -aliases:UNICODE.ALS nodot -out:b.exe b.obj Ta.obj c.obj ") + Libraries}},
      // An argument without blanks passes at any length (one with them is
      // refused past a length, below).
      {{"-c", "-D" + std::string(600, 'p'), "a.f90"}, 3,
       {X("I/bin/ocgen{exe} -N76 -N61 -N104 -N105 -N162 -o a.obj -i Ta.int")}},
      // Blanks and quotes are quoted.
      {{"-c", "-Dq=\"x\"", "my prog.f90"}, 3,
       {X("I/bin/ftfront{exe} -Ab -p. \"-Dq=\"\"x\"\"\" -pI/F90INC \"-FTmy prog.bif\" \"my prog.f90\""),
        X("I/bin/ixform{exe} -hmif=p -o \"Tmy prog.int\" \"Tmy prog.bif\""),
        X("I/bin/ocgen{exe} -N76 -N61 -N104 -N105 -N162 -o \"my prog.obj\" -i \"Tmy prog.int\"")}},
      // With -c objects keep the names the user asked for, and a name with
      // more than one dot keeps all but its extension.
      {{"-c", X("a/v.1.f90"), X("b/v.1.f90")}, 6, {X("I/bin/ocgen{exe} -N76 -N61 -N104 -N105 -N162 -o v.1.obj -i Tv.1-2.int")}},
      // Only the code generator's objects are .o files.
      {{"-doto", "a.f90", "d2.c", "-o", "p"}, 5,
       {X("OCC -A -c d2.c -o Td2.obj"), X("I/bin/olink{exe} -ignoredups -aliases:UNICODE.ALS -out:p Ta.o Td2.obj ") + Libraries}},
      // The same base name in two directories keeps both objects (names are
      // compared without regard to case).
      {{X("a/util.f90"), X("b/util.f90"), X("b/Util.c"), "-o", "prog"}, 8,
       {X("I/bin/ftfront{exe} -Ab -p. -pI/F90INC -FTutil-2.bif b/util.f90"), X("I/bin/ixform{exe} -hmif=p -o Tutil-2.int Tutil-2.bif"),
        X("I/bin/ocgen{exe} -N76 -N61 -N104 -N105 -N162 -o Tutil-2.obj -i Tutil-2.int"), X("OCC -A -c b/Util.c -o TUtil-3.obj"),
        X("I/bin/olink{exe} -ignoredups -aliases:UNICODE.ALS -out:prog Tutil.obj Tutil-2.obj TUtil-3.obj ") + Libraries}},
      // The C and C++ compilers from the environment.
      {{"-c", "-DX", "-Ufoo", "-U", "-g", "e.c", "e.cpp"}, 2,
       {"OCC -A -Wfoo -DX -Ufoo -g -c e.c -o e.obj", "OCC -c++ -Wbar -DX -Ufoo -g -c e.cpp -o e.obj"},
       {{"CC", "OCC -A -Wfoo"}, {"CXX", "OCC -c++ -Wbar"}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args[0]);
    RunResult r = suite.run(row.args, row.env);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    Lines l = suite.lines();
    ASSERT_EQ(l.size(), row.count);
    EXPECT_EQ(Lines(l.end() - static_cast<long>(row.last.size()), l.end()), row.last);
  }
}

TEST_F(Pipeline, LongFrontEndLineGoesThroughAResponseFile) {
  suite.sources({"r.f90"});
  // The line is the invocation plus the flags; pad one -D so that the whole
  // line is exactly 255 characters, then one more.
  RunResult probe = suite.run({"-v", "-dryrun", "-c", "-DA", "r.f90"});
  std::string line = probe.out.substr(probe.out.find('\n') + 1);
  line = line.substr(0, line.find('\n'));
  ASSERT_LT(line.size(), 255u);
  std::string pad(255 - line.size(), 'x');
  // The directory's name is part of the line, and on Windows its length
  // varies from run to run (one to four hexadecimal digits): a run counts
  // when the "mkdir T" line that opens its echo is as long as the probe's.
  const size_t mkdir_line = probe.out.find('\n');
  for (int extra : {0, 1}) {
    SCOPED_TRACE(extra);
    RunResult r;
    for (int tries = 0; tries < 50 && (tries == 0 || r.out.find('\n') != mkdir_line); ++tries)
      r = suite.run({"-v", "-c", "-DA" + pad + std::string(extra, 'y'), "r.f90"});
    ASSERT_EQ(r.out.find('\n'), mkdir_line) << r.out;
    ASSERT_EQ(r.status, 0) << r.err;
    Lines cmds = suite.commands();
    ASSERT_FALSE(cmds.empty());
    EXPECT_EQ(suite.responses(), extra ? Lines{X(" -Ab -p. -DA") + pad + X("y -pI/F90INC -FTr.bif r.f90")} : Lines{});
    EXPECT_EQ(cmds[0].find('@') == std::string::npos ? "" : cmds[0], extra ? X("I/bin/ftfront{exe} @Tr.rsp") : "");
  }
}

// The run's private directory in the system's own temporary path, as the
// system names it (Windows: the first three characters of "Orvane", a
// hexadecimal number and ".tmp"; POSIX: "Orv" and six random characters),
// and the worked example with that directory.
TEST_F(Pipeline, WorkedExampleInTheSystemsTemporaryPath) {
  suite.sources({"hello.f90"});
  DriverRun d = suite.prepare({"-v", "-O2", "-o", "hello.exe", "hello.f90"},
                              {{"F90_TEST_CPU", "GenuineIntel:6f0:1"}});
  d.temp_dir.clear();  // the system's own: an empty TMPDIR is none
  d.env["TMPDIR"] = "";
  RunResult r = run_driver(d);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const std::string system = target_system_temp();
  const std::regex name(target_is_windows() ? "Orv[0-9A-Fa-f]{1,4}\\.tmp\\\\" : "Orv[A-Za-z0-9]{6}/");
  const std::string temp = r.out.substr(6, r.out.find('\n') - 6);  // "mkdir <temp>"
  ASSERT_EQ(temp.rfind(system, 0), 0u) << r.out;
  EXPECT_TRUE(std::regex_match(temp.substr(system.size()), name)) << temp;

  suite.temp_prefix = system;
  std::string want_lines =
      X("I/bin/ftfront{exe} -O0 -Ab -p. -pI/F90INC -FThello.bif hello.f90\n"
        "I/bin/ixform{exe} -hmif=p -o Thello.int Thello.bif\n"
        "I/bin/ocgen{exe} -N76 -O2 -N61 -N104 -N105 -N100 -N162 -o Thello.obj -i Thello.int\n"
        "I/bin/olink{exe} -ignoredups -aliases:UNICODE.ALS -out:hello.exe Thello.obj ") + Libraries + "\n";
  EXPECT_EQ(suite.normalize(r.out), temp_dir_echo(want_lines));
  // What the tools received, byte for byte, is what was echoed.
  std::string received;
  for (const std::string& line : suite.commands()) received += line + "\n";
  EXPECT_EQ(received, want_lines);
  EXPECT_TRUE(suite.scratch.exists("work/hello.exe"));
}

// Every way a run fails: the message, status 1, nothing left behind (no
// temporary directory, no half-made output: the working directory holds
// what it held before) and no step after the failing one. Failures of the
// system that cannot be had on demand are injected (F90_TEST_FAULT, test
// builds only).
TEST_F(Pipeline, EveryFailureEndsWithItsMessageAndNothingLeft) {
  suite.sources({"f.f90", "g.c", "e.cpp", "y.m", "y.M", "y.mm", "y.s"});
  suite.scratch.write("work/r.rsp", "-c f.f90\n");
  suite.scratch.write("inst/default.opt", "f90\n");
  const std::string blank = "-D" + std::string(258, 'a') + " " + std::string(259, 'b');  // one too long to quote
  const std::string long_d = "-D" + std::string(300, 'd');  // the front end's line needs a response file
  const std::string long_out = std::string(200, 'o') + ".exe";  // and so does the linker's
  // On POSIX the longest temporary path taken (1008 characters with its
  // separator), not there, and one longer.
  const std::string gone = target_is_windows() ? suite.scratch.at("no/such/dir") : "/" + std::string(1006, 't');
  const std::string too_long = "/" + std::string(target_is_windows() ? 2000 : 1007, 't');
  const std::string tried = target_is_windows() ? target_path(gone) + "\\" : "T";  // Windows names no file in it
  using Env = std::map<std::string, std::optional<std::string>>;
  auto fault = [](const std::string& f) { return Env{{"F90_TEST_FAULT", f}}; };
  auto tool_fails = [](const std::string& tool) { return Env{{"F90_TOOL_FAIL", tool + "=3"}}; };
  struct Row {
    Lines args;
    Env env;
    std::string err;
    std::string out = "";   // with "*", what comes before and after it
    std::string last = "";  // the last tool that ran, "" for none
    std::string temp = "";  // the temporary path, "" for the usual one
    std::optional<Lines> kept = {};  // with -keep, the files left in the directory
  };
  const Row rows[] = {
      // Intake (more in the intake's own tests).
      {{"-c", "f.f90"}, fault("alloc:1"), "ERROR: Out of memory.\n"},
      {{"-c", "f.f90"}, fault("line:1"), "ERROR: Out of memory parsing default options file.\n"},
      // The default options file's line and its end, then the response file.
      {{"@r.rsp"}, fault("line:3"), "ERROR: Out of memory parsing response file \"r.rsp\"\n"},
      // Options and inputs.
      {{"-o", "x", "-out:y", "f.f90"}, {}, "Only one output file can be specified.\n"},
      {{"-syntax", "y.m"}, {}, "Objective C code is not support by this complier: y.m\n"},
      {{"-syntax", "y.M"}, {}, "Objective C++ code is not support by this complier: y.M\n"},
      {{"y.mm"}, {}, "Objective C++ code is not support by this complier: y.mm\n"},
      {{"-c", "y.s"}, {}, "Assembly files are not supported on Windows.\n"},
      {{"-c", blank, "f.f90"}, {}, "Argument too long: " + blank + "\n"},
      // The temporary directory: a path that is not there (the name tried is
      // echoed as a made directory's would be), one too long for any name.
      {{"-v", "-c", "f.f90"}, {}, "",
       temp_dir_echo("\nUnable to create a directory for temporary files:\n" + tried + "\n", tried), "", gone},
      {{"-v", "-c", "f.f90"}, {}, "",
       "\nCan not find Temp directory: *\nIn order to run the program, check the enviroment temp "
       "variable, \nthen create that folder\n", "", too_long},
      // Tools: each failing step deletes its output; a tool that cannot be
      // started (none by that name) has failed too.
      {{"-keep", "-c", "f.f90"}, tool_fails("ftfront"), "ftfront failed.\n", "", "ftfront", "", Lines{}},
      {{"-keep", "-c", "f.f90"}, tool_fails("ixform"), "ixform failed.\n", "", "ixform", "", Lines{"f.bif"}},
      {{"-c", "f.f90"}, tool_fails("ocgen"), "ocgen failed.\n", "", "ocgen"},
      // A signal that the driver takes as an interrupt: its tools get it as usual.
      {{"-c", "f.f90"}, {{"F90_TOOL_SIGNAL", "ocgen=2"}}, "ocgen failed.\n", "", "ocgen"},
      {{"-c", "g.c", "f.f90"}, tool_fails("OCC"), "C compilation failed.\n", "", "OCC"},
      {{"-c", "e.cpp", "g.c"}, tool_fails("OCC"), "C++ compilation failed.\n", "", "OCC"},
      {{"-c", "g.c"}, {{"CC", ""}}, "C compilation failed.\n"},
      {{"-c", "f.f90"}, {{"ORVANE", target_path(suite.scratch.at("work"))}}, "ftfront failed.\n"},
      {{"-c", long_d, "f.f90"}, fault("create:1"), X("Unable to create response file: Tf.rsp\n")},
      {{"-c", long_d, "f.f90"}, fault("write:1"), X("Unable to create response file: Tf.rsp\n")},
      // Link: the output goes, and so do the export pass's library and
      // exports file (seen in a kept directory).
      {{"f.f90", "g.c"}, tool_fails("olink"), "link failed.\n", "", "olink"},
      {{"-lib", "-o", "l.lib", "f.f90"}, tool_fails("olink"), "link failed.\n", "", "olink"},
      {{"-keep", "-dll", "-autoxps", "-o", "y.dll", "f.f90"}, tool_fails("olink"), "link failed.\n", "",
       "olink", "", Lines{"f.bif", "f.int", "f.obj"}},
      {{"-keep", "-o", long_out, "f.f90"}, tool_fails("olink"), "link failed.\n", "", "olink", "",
       Lines{"f.bif", "f.int", "f.obj", "link.rsp"}},
  };
  const Lines inputs = suite.scratch.list("work");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.args[0] + " " + row.args.back() + " " + (row.env.empty() ? "" : row.env.begin()->second.value_or("")));
    if (row.env.count("F90_TOOL_SIGNAL") && target_is_windows()) continue;  // POSIX signals
    DriverRun d = suite.prepare(row.args, row.env);
    if (!row.temp.empty()) d.temp_dir = row.temp;
    suite.temp_prefix = target_path(row.temp.empty() ? suite.tmp() : row.temp) + target_sep();
    RunResult r = run_driver(d);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(suite.normalize(r.err), row.err);
    const std::string out = suite.normalize(r.out);
    const size_t star = row.out.find('*'), tail = star == std::string::npos ? 0 : row.out.size() - star - 1;
    EXPECT_EQ(out.substr(0, star), row.out.substr(0, star));
    EXPECT_EQ(out.substr(out.size() - std::min(tail, out.size())), row.out.substr(row.out.size() - tail));
    const Lines left = suite.temp_left();
    EXPECT_EQ(left.size(), row.kept ? 1u : 0u);
    EXPECT_EQ(left.empty() ? Lines{} : suite.scratch.list("tmp/" + left[0]), row.kept.value_or(Lines{}));
    for (const std::string& dir : left) std::filesystem::remove_all(suite.scratch.at("tmp/" + dir));
    EXPECT_EQ(suite.scratch.list("work"), inputs);
    // The last tool that ran: its program's name.
    Lines cmds = suite.commands();
    std::string tool = cmds.empty() ? "" : cmds.back().substr(0, cmds.back().find(' '));
    tool = tool.substr(tool.find_last_of(target_sep()) + 1);
    EXPECT_EQ(tool, row.last.empty() || row.last == "OCC" ? row.last : row.last + target_exe());
  }
  // What -v wrote comes before the message, with both in one file.
  DriverRun d = suite.prepare({"-v", "-c", long_d, "f.f90"}, fault("create:1"));
  d.err_to_out = true;
  const std::string out = suite.normalize(run_driver(d).out);
  EXPECT_EQ(out.find(X("Unable to create")), out.find('\n') + 1) << out;
  // An interrupted wait for a tool (EINTR) is waited again.
  if (!target_is_windows()) { EXPECT_EQ(suite.run({"-c", "f.f90"}, fault("wait:1")).status, 0); }
}

// Allocations of a whole run, failing in turn (every ninth, then each of the
// last twelve, the exit's among them), end that run with the message, status
// 1 and nothing left, except when one fails while the directory is emptied
// at exit ("del" echoed, no "rmdir"): that ends the process at once.
TEST_F(Pipeline, AnAllocationThatFailsEndsTheRunCleanly) {
  suite.sources({"a.f90", "b.c"});
  const Lines inputs = suite.scratch.list("work");
  int in_cleanup = 0;
  auto fails_cleanly = [&](int n) {
    RunResult r = suite.run({"-v", "-o", "p", "a.f90", "b.c"}, {{"F90_TEST_FAULT", "alloc:" + std::to_string(n)}});
    if (r.status == 0) return std::filesystem::remove(suite.scratch.at("work/p")) && false;
    SCOPED_TRACE(n);
    EXPECT_EQ(std::to_string(r.status) + " " + r.err, "1 ERROR: Out of memory.\n");
    if (r.out.find("\ndel ") != std::string::npos && r.out.find("\nrmdir ") == std::string::npos) {
      ++in_cleanup;
      std::filesystem::remove_all(suite.tmp() + "/" + suite.temp_left().at(0));
      std::filesystem::remove(suite.scratch.at("work/p"));
    }
    EXPECT_EQ(suite.temp_left(), Lines{});
    EXPECT_EQ(suite.scratch.list("work"), inputs);
    return true;
  };
  int n = 1;
  while (n < 5000 && fails_cleanly(n)) n += 9;
  EXPECT_GT(n, 100) << "the whole run's allocations";
  for (int last = std::max(1, n - 12); last < n; ++last) fails_cleanly(last);
  EXPECT_GT(in_cleanup, 0);
}

// A file in the temporary directory that cannot be deleted at exit (the
// front end leaves its .bif files read-only) is reported when reached and
// again after every later successful deletion (a.int, then b.int); the
// directory stays, the status does not change.
TEST_F(Pipeline, ReadOnlyFileAtExitIsReportedAndTheDirectoryKept) {
  suite.sources({"a.f90", "b.f90"});
  RunResult r = suite.run({"-c", "a.f90", "b.f90"}, {{"F90_TOOL_READONLY", "ftfront=1"}});
  EXPECT_EQ(r.status, 0);
  Lines left = suite.temp_left();
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(suite.scratch.list("tmp/" + left[0]), (Lines{"a.bif", "b.bif"}));
  std::string code = std::to_string(target_is_windows() ? 5 : 13);
  std::string a = "Error deleting file " + X("Ta.bif: ") + code + "\n";
  std::string b = "Error deleting file " + X("Tb.bif: ") + code + "\n";
  EXPECT_EQ(suite.normalize(r.err), a + a + b + a + b);
}

// Every interrupt a terminal can send (Ctrl+C, Ctrl+\, a hang-up, a kill
// request), while a compile step runs and while the link runs, ends the run
// with status 1 through the same clean-up: no temporary directory, no object.
// Sent to the driver alone, it ends the run at once, silently, while the
// tool still sleeps.
TEST_F(Pipeline, InterruptEndsTheRunWithStatusOneAndNothingLeft) {
  // A POSIX signal to wine becomes a console event, a kill or nothing,
  // depending on timing, and wine's GenerateConsoleCtrlEvent refuses to send
  // Ctrl+Break (ERROR_INVALID_HANDLE with a console, ERROR_INVALID_ACCESS
  // without one).
  if (target_is_windows()) GTEST_SKIP() << "wine delivers no console interrupt";
  suite.sources({"a.f90", "b.f90", "c.c"});
  const struct {
    int signal;
    const char* tool;
    Lines args;
    bool group = true;
  } rows[] = {
      {SIGINT, "ftfront", {"-c", "a.f90"}}, {SIGQUIT, "ftfront", {"-c", "a.f90"}}, {SIGTERM, "ocgen", {"-c", "a.f90"}},
      {SIGHUP, "ftfront", {"-c", "a.f90"}}, {SIGINT, "olink", {"a.f90", "b.f90", "-o", "p"}},
      {SIGINT, "ixform", {"-c", "a.f90"}, false}, {SIGTERM, "OCC", {"-c", "c.c"}, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(strsignal(row.signal)) + " during " + row.tool);
    RunResult r = suite.run_interrupted(row.args, row.tool, row.signal, row.group);
    EXPECT_EQ(std::to_string(r.status) + (row.group ? "" : r.err), "1");  // alone, the driver says nothing
    EXPECT_EQ(suite.temp_left(), Lines{});
    EXPECT_FALSE(suite.scratch.exists("work/a.obj"));
  }
}

// A driver started with SIGCHLD ignored still gets each tool's status.
TEST_F(Pipeline, ToolStatusesReachADriverStartedWithChildSignalsIgnored) {
  if (target_is_windows() || std::getenv("F90_TEST_LOADER")) GTEST_SKIP() << "a POSIX driver run natively";
  suite.sources({"a.f90"});
  DriverRun d = suite.prepare({"-c", "a.f90"});
  d.loader = {"perl", "-e", "$SIG{CHLD} = 'IGNORE'; exec @ARGV"};  // dash's trap cannot ignore it
  EXPECT_EQ(run_driver(d).status, 0);
  d.env["F90_TOOL_FAIL"] = "ixform=3";
  RunResult r = run_driver(d);
  EXPECT_EQ(std::to_string(r.status) + r.err, "1ixform failed.\n");
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
