// The per-file pipeline run as a process against the stand-in tools: the
// exact command lines each tool received, the files left behind, the
// messages and the exit status.
#include <gtest/gtest.h>

#include <filesystem>
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
      EXPECT_EQ(suite.normalize(r.out), c ? echo : X("mkdir T\n") + echo + X("del T*.*\nrmdir T\n"));
      EXPECT_EQ(suite.commands(), dry ? Lines{} : want);
      EXPECT_EQ(suite.scratch.exists("work/" + row.output), !dry);
    }
  }
}

// A dry run echoes the chain as -v does (the worked example checks the
// echo) and runs nothing.
TEST_F(Pipeline, DryRunRunsNothing) {
  suite.sources({"x.f90"});
  RunResult r = suite.run({"-dryrun", "x.f90"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(suite.normalize(r.out).find(X("\nI/bin/olink{exe} ")), std::string::npos) << r.out;
  EXPECT_EQ(suite.commands(), Lines{});
  EXPECT_EQ(suite.temp_left(), Lines{});
}

TEST_F(Pipeline, KeepLeavesTheDirectoryWithItsFiles) {
  suite.sources({"k.f90"});
  RunResult r = suite.run({"-keep", "-v", "-c", "k.f90"});
  ASSERT_EQ(r.status, 0) << r.err;
  Lines left = suite.temp_left();
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(suite.scratch.list("tmp/" + left[0]), (Lines{"k.bif", "k.int"}));
  EXPECT_EQ(suite.normalize(r.out).find("del "), std::string::npos) << "nothing echoed at exit";
}

TEST_F(Pipeline, ClassificationByExtension) {
  struct Row {
    std::string input;
    std::string first_tool;  // "" : handed to the linker
  };
  const Row rows[] = {
      {"x.F90", "ftfront"}, {"x.f90", "ftfront"}, {"x.FOR", "ftfront"}, {"x.For", "ftfront"},
      {"x.fOR", "ftfront"}, {"x.F", "ftfront"},   {"x.f95", "ftfront"}, {"x.F9", ""},
      {"x.bif", "ixform"},  {"x.BIF", ""},        {"x.int", "ocgen"},   {"x.INT", ""},
      {"x.c", "OCC -A"},    {"x.C", "OCC -c++"},  {"x.cc", "OCC -c++"}, {"x.CC", "OCC -c++"},
      {"x.Cpp", "OCC -c++"}, {"x.cxx", "OCC -c++"}, {"x.c++", "OCC -c++"}, {"x.cp", "OCC -c++"}, {"x.S", ""},
      {"x.MM", ""},         {"x.Mm", ""},         {"x.", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.input);
    // Windows drops the dot that ends a file name: there "x." names the file x.
    suite.sources({target_is_windows() && row.input == "x." ? "x" : row.input});
    RunResult r = suite.run({"-c", row.input});
    ASSERT_EQ(r.status, 0) << r.err;
    Lines cmds = suite.commands();
    if (row.first_tool.empty()) {
      EXPECT_EQ(cmds, Lines{});
    } else {
      ASSERT_FALSE(cmds.empty());
      EXPECT_NE(cmds[0].find(row.first_tool), std::string::npos) << cmds[0];
    }
  }
}

// Inputs and arguments refused before any step runs: the message, the
// status, no temporary directory.
TEST_F(Pipeline, RefusedKinds) {
  const std::string blank = "-D" + std::string(300, 'a') + " " + std::string(300, 'b');
  const struct {
    Lines args;
    int status;
    std::string err;
  } rows[] = {
      {{"y.m"}, 1, "Objective C code is not support by this complier: y.m\n"},
      {{"y.M"}, 1, "Objective C++ code is not support by this complier: y.M\n"},
      {{"y.mm"}, 1, "Objective C++ code is not support by this complier: y.mm\n"},
      {{"-c", "y.s"}, 1, "Assembly files are not supported on Windows.\n"},
      {{"y.s"}, 1, "Assembly files are not supported on Windows.\n"},
      // Before objects are made, an assembly file is only handed on.
      {{"-S", "y.s"}, 0, ""},
      {{"-syntax", "y.s"}, 0, ""},
      // An argument without blanks passes at any length; one with them
      // cannot be quoted past a length.
      {{"-c", "-D" + std::string(600, 'p'), "z.f90"}, 0, ""},
      {{"-c", blank, "z.f90"}, 1, "Argument too long: " + blank + "\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args[0] + " " + row.args.back());
    suite.sources({row.args.back()});
    RunResult r = suite.run(row.args);
    EXPECT_EQ(r.status, row.status);
    EXPECT_EQ(r.err, row.err);
    EXPECT_EQ(suite.temp_left(), Lines{});
  }
}

// Whole runs: how many lines the tools received and the last of them.
TEST_F(Pipeline, ToolLinesOfWholeRuns) {
  suite.sources({"a.f90", "b.c", "b.obj", "c.obj", "nodot", "d2.c"});
  const struct {
    Lines args;
    size_t count;
    Lines last;
  } rows[] = {
      // A syntax check runs only the front end.
      {{"-syntax", "a.f90", "b.c"}, 1, {X("I/bin/ftfront{exe} -Ab -p. -dB -pI/F90INC -FTa.bif a.f90")}},
      // Inputs are linked in command-line order.
      {{"b.obj", "a.f90", "c.obj", "nodot"}, 4,
       {X("I/bin/olink{exe} -ignoredups -aliases:UNICODE.ALS nodot -out:b.exe b.obj Ta.obj c.obj ") + Libraries}},
      // Only the code generator's objects are .o files.
      {{"-doto", "a.f90", "d2.c", "-o", "p"}, 5,
       {X("OCC -A -c d2.c -o Td2.obj"), X("I/bin/olink{exe} -ignoredups -aliases:UNICODE.ALS -out:p Ta.o Td2.obj ") + Libraries}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args[0]);
    RunResult r = suite.run(row.args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    Lines l = suite.lines();
    ASSERT_EQ(l.size(), row.count);
    EXPECT_EQ(Lines(l.end() - static_cast<long>(row.last.size()), l.end()), row.last);
  }
}

TEST_F(Pipeline, SameBaseNameInTwoDirectoriesKeepsBothObjects) {
  suite.sources({"a/util.f90", "b/util.f90", "b/Util.c"});  // names are compared without regard to case
  RunResult r = suite.run({X("a/util.f90"), X("b/util.f90"), X("b/Util.c"), "-o", "prog"});
  ASSERT_EQ(r.status, 0) << r.err;
  Lines cmds = suite.lines();
  ASSERT_EQ(cmds.size(), 8u);
  EXPECT_EQ(cmds[3], X("I/bin/ftfront{exe} -Ab -p. -pI/F90INC -FTutil-2.bif b/util.f90"));
  EXPECT_EQ(cmds[6], X("OCC -A -c b/Util.c -o TUtil-3.obj"));
  EXPECT_EQ(cmds[7], X("I/bin/olink{exe} -ignoredups -aliases:UNICODE.ALS -out:prog Tutil.obj "
                       "Tutil-2.obj TUtil-3.obj ") + Libraries);
  // With -c the objects keep the names the user asked for; a name with
  // more than one dot keeps all but its extension.
  suite.sources({"a/v.1.f90", "b/v.1.f90"});
  r = suite.run({"-c", X("a/v.1.f90"), X("b/v.1.f90")});
  ASSERT_EQ(r.status, 0) << r.err;
  cmds = suite.commands();
  ASSERT_EQ(cmds.size(), 6u);
  EXPECT_EQ(cmds[5], X("I/bin/ocgen{exe} -N76 -N61 -N104 -N105 -N162 -o v.1.obj -i Tv.1-2.int"));
}

TEST_F(Pipeline, QuotingOfBlanksAndQuotes) {
  suite.sources({"my prog.f90"});
  RunResult r = suite.run({"-c", "-Dq=\"x\"", "my prog.f90"});
  ASSERT_EQ(r.status, 0) << r.err;
  Lines cmds = suite.commands();
  ASSERT_EQ(cmds.size(), 3u);
  EXPECT_EQ(cmds[0], X("I/bin/ftfront{exe} -Ab -p. \"-Dq=\"\"x\"\"\" -pI/F90INC \"-FTmy prog.bif\" \"my prog.f90\""));
  EXPECT_EQ(cmds[2], X("I/bin/ocgen{exe} -N76 -N61 -N104 -N105 -N162 -o \"my prog.obj\" -i \"Tmy prog.int\""));
  EXPECT_TRUE(suite.scratch.exists("work/my prog.obj"));
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
    if (extra) {
      EXPECT_EQ(cmds[0], X("I/bin/ftfront{exe} @Tr.rsp"));
    } else {
      EXPECT_EQ(cmds[0].find('@'), std::string::npos);
    }
  }
}

TEST_F(Pipeline, FailingStepDeletesItsOutputAndStops) {
  struct Row {
    std::string tool;
    std::string message;
    std::string output;  // below work/, "" when in the temporary directory
    std::string fault = "F90_TOOL_FAIL", value = "3";
  };
  const Row rows[] = {
      {"ftfront", "ftfront failed.\n", ""},
      {"ocgen", "ocgen failed.\n", "f.obj", "F90_TOOL_SIGNAL", "9"},  // killed by a signal
      {"ixform", "ixform failed.\n", ""},
      {"ocgen", "ocgen failed.\n", "f.obj"},
      {"OCC", "C compilation failed.\n", "g.obj"},
      {"olink", "link failed.\n", "f.exe"},
  };
  suite.sources({"f.f90", "g.c", "h.f90"});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.tool + " " + row.fault);
    if (row.fault == "F90_TOOL_SIGNAL" && target_is_windows()) continue;  // POSIX signals
    bool link = row.tool == "olink";
    std::vector<std::string> args = {"f.f90", "g.c", "h.f90"};
    if (!link) args.insert(args.begin(), "-c");
    RunResult r = suite.run(args, {{row.fault, row.tool + "=" + row.value}});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, row.message);
    if (!row.output.empty()) {
      EXPECT_FALSE(suite.scratch.exists("work/" + row.output));
    }
    EXPECT_EQ(suite.temp_left(), Lines{});
    // Nothing after the failing step runs.
    Lines cmds = suite.commands();
    ASSERT_FALSE(cmds.empty());
    EXPECT_NE(cmds.back().find(row.tool), std::string::npos) << cmds.back();
  }
}

TEST_F(Pipeline, MissingToolIsAFailedStep) {
  suite.sources({"m.f90"});
  std::filesystem::remove(suite.scratch.at("inst/bin/ixform" + target_exe()));
  RunResult r = suite.run({"-c", "m.f90"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "ixform failed.\n");
  EXPECT_EQ(suite.temp_left(), Lines{});
}

TEST_F(Pipeline, CompilerFromTheEnvironment) {
  suite.sources({"e.c", "e.cpp"});
  RunResult r = suite.run({"-c", "-DX", "-Ufoo", "-U", "-g", "e.c", "e.cpp"},
                    {{"CC", "OCC -A -Wfoo"}, {"CXX", "OCC -c++ -Wbar"}});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(suite.commands(), (Lines{"OCC -A -Wfoo -DX -Ufoo -g -c e.c -o e.obj",
                                     "OCC -c++ -Wbar -DX -Ufoo -g -c e.cpp -o e.obj"}));
  r = suite.run({"-c", "e.c"}, {{"CC", ""}});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "C compilation failed.\n");
}

}  // namespace
