// The link stage run as a process: the linker's command lines for each kind
// of target, processor detection through a stand-in host, link planning's
// checks and the link failures.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/harness.h"

namespace {

using Lines = std::vector<std::string>;

class Link : public ::testing::Test {
 protected:
  Suite suite;
  void SetUp() override { suite.scratch.write("work/m.f90", "      end\n"); }
  RunResult run(std::vector<std::string> args,
                std::map<std::string, std::optional<std::string>> env = {}) {
    suite.clear_log();
    return suite.run(std::move(args), std::move(env));
  }
  // The last tool line (the link), response file resolved.
  std::string last_line() {
    Lines l = suite.lines();
    return l.empty() ? std::string() : l.back();
  }
  std::string line_of(const std::string& tool) {
    for (const std::string& l : suite.lines())
      if (l.find(X("/bin/") + tool) != std::string::npos) return l;
    return std::string();
  }
};

const std::string Olink = X("I/bin/olink{exe} ");

TEST_F(Link, TargetKinds) {
  struct Row {
    Lines args;
    std::string link;
  };
  const Row rows[] = {
      {{"-lib", "-o", "m.lib", "m.f90"}, "-ignoredups -lib -out:m.lib Tm.obj"},
      {{"-plainappl", "m.f90"},
       "-ignoredups -aliases:UNICODE.ALS -out:m.exe Tm.obj orvRT0.lib rt9math.lib rtio.lib "
       "rtmath.lib liboc.lib winif.lib user32.lib gdi32.lib comctl32.lib advapi32.lib comdlg32.lib "
       "kernel32.lib"},
      {{"-wsim", "m.f90"},
       "-ignoredups -aliases:wsim.als -entry:_WinMainCRTStartup -aliases:UNICODE.ALS "
       "-subsystem:windows -out:m.exe Tm.obj orvRT0.lib rt9math.lib rtio.lib wsim.lib rtmath.lib "
       "liboc.lib winif.lib user32.lib gdi32.lib winmm.lib comdlg32.lib kernel32.lib"},
      {{"-nodefaultlib", "-wsim", "m.f90"},
       "-ignoredups -aliases:wsim.als -entry:_WinMainCRTStartup -aliases:UNICODE.ALS "
       "-subsystem:windows -out:m.exe Tm.obj wsim.lib"},
      {{"-usedll", "-tsafeio", "m.f90"},
       "-ignoredups -aliases:UNICODE.ALS -out:m.exe Tm.obj orvRT0.lib rt9mdll.lib rtiotdll.lib "
       "rtmathdll.lib libocdll.lib comdlg32.lib kernel32.lib"},
      {{"-reportDups", "-et", "-cons", "-plplot", "x.LIB", "-imsl", "m.f90"},
       "-aliases:UNICODE.ALS -out:m.exe Tm.obj I/lib/orvane_et_win.obj orvRT0.lib plplot.lib x.LIB "
       "imsl.lib rt9math.lib rtio.lib rtmath.lib liboc.lib winif.lib user32.lib gdi32.lib "
       "comctl32.lib advapi32.lib comdlg32.lib kernel32.lib"},
      {{"-dll", "-lib", "-o", "s.lib", "m.f90"}, "-ignoredups -lib -out:s.lib Tm.obj"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.args[0]);
    RunResult r = run(row.args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(last_line(), Olink + X(row.link));
    EXPECT_EQ(suite.temp_left(), Lines{});
  }
}

TEST_F(Link, DllWithExportPass) {
  RunResult r = run({"-dll", "-autoxps", "-o", "x.dll", "-v", "m.f90"});
  ASSERT_EQ(r.status, 0) << r.err;
  Lines l = suite.lines();
  ASSERT_EQ(l.size(), 5u);
  EXPECT_EQ(l[3], Olink + X("-lib -out:Tautoxps.lib -exports:Tautoxps.xps -ignoredups Tm.obj"));
  EXPECT_EQ(l[4], Olink + X("-dll -exports:Tautoxps.xps -ignoredups -out:x.dll Tm.obj orvRT0.lib "
                            "rt9math.lib rtio.lib rtmath.lib liboc.lib comdlg32.lib kernel32.lib"));
  EXPECT_TRUE(suite.scratch.exists("work/x.dll"));
  // Verbose shows both linker runs.
  std::string out = suite.normalize(r.out);
  EXPECT_NE(out.find(Olink), out.rfind(Olink));
}

TEST_F(Link, LibraryWithoutANameIsRefusedAfterCompiling) {
  for (const char* kind : {"-lib", "-dll"}) {
    SCOPED_TRACE(kind);
    RunResult r = run({kind, "m.f90"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Cannot create a library without a name.\n");
    EXPECT_EQ(suite.lines().size(), 3u) << "compiled, not linked";
    EXPECT_EQ(suite.temp_left(), Lines{});
  }
}

TEST_F(Link, FailedLinkDeletesAnOutputThatExistedBefore) {
  struct Row {
    Lines args;
    std::string output;
    std::map<std::string, std::optional<std::string>> env;
  };
  const Row rows[] = {
      {{"-o", "old.exe", "m.f90"}, "old.exe", {{"F90_TOOL_FAIL", "olink=1"}}},
      {{"-lib", "-o", "old.lib", "m.f90"}, "old.lib", {{"F90_TOOL_FAIL", "olink=1"}}},
      {{"-dll", "-o", "old.dll", "m.f90"}, "old.dll", {{"F90_TOOL_FAIL", "olink=1"}}},
      {{"m.f90"}, "m.exe", {{"F90_TOOL_FAIL", "olink=9"}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.output);
    suite.scratch.write("work/" + row.output, "precious?");
    RunResult r = run(row.args, row.env);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "link failed.\n");
    EXPECT_FALSE(suite.scratch.exists("work/" + row.output));
    EXPECT_EQ(suite.temp_left(), Lines{});
  }
}

TEST_F(Link, ExecutableNamedAfterTheFirstObject) {
  suite.scratch.write("work/obj/main.obj", "");
  suite.scratch.write("work/a.b.obj", "");
  RunResult r = run({X("obj/main.obj"), "a.b.obj"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(last_line().find(" -out:main.exe " + X("obj/main.obj") + " a.b.obj "), std::string::npos)
      << last_line();
  r = run({"a.b.obj"});
  EXPECT_NE(last_line().find(" -out:a.b.exe a.b.obj "), std::string::npos) << last_line();
  suite.scratch.write("work/only.lib", "");
  r = run({"only.lib"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(last_line().find("-out:"), std::string::npos) << last_line();
}

TEST_F(Link, OutputNameWithSeveralInputs) {
  suite.scratch.write("work/n.f90", "      end\n");
  RunResult r = run({"-c", "-o", "x.obj", "m.f90", "n.f90"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "\nNo output file should be specified when generating object code\nfor multiple files.\n");
  EXPECT_EQ(suite.lines(), Lines{});
  r = run({"-S", "-o", "x.s", "m.f90", "n.f90"});
  EXPECT_EQ(r.err, "\nNo output file should be specified when generating assembly\nfor multiple files.\n");
  r = run({"-c", "-o", "x.obj", "*.f90"});
  EXPECT_EQ(r.status, 1) << "a pattern that matches two files counts as two";
  r = run({"-o", "both", "m.f90", "n.f90"});
  EXPECT_EQ(r.status, 0) << r.err;
}

TEST_F(Link, WildcardsExpandInPlace) {
  suite.scratch.write("work/src/b.f90", "      end\n");
  suite.scratch.write("work/src/a.f90", "      end\n");
  suite.scratch.write("work/z.obj", "");
  suite.scratch.write("work/y.obj", "");
  RunResult r = run({"-o", "p", "z.obj", X("src/*.f90"), "y.obj"});
  ASSERT_EQ(r.status, 0) << r.err;
  Lines l = suite.lines();
  ASSERT_EQ(l.size(), 7u);
  EXPECT_NE(l[0].find(X(" src/a.f90")), std::string::npos) << l[0];
  EXPECT_NE(l[6].find(" -out:p z.obj " + X("Ta.obj Tb.obj") + " y.obj "), std::string::npos) << l[6];
}

TEST_F(Link, ProcessorAndSse2FromTheHost) {
  struct Row {
    Lines options;
    std::string host;
    std::string tail;  // the code generator's flags after the start-up ones
  };
  const Row rows[] = {
      {{"-O2"}, "GenuineIntel:f20:1", "-N133 -N160 -N162"},
      {{"-O2"}, "GenuineIntel:f20:0", "-N133 -N162"},
      {{"-O2"}, "GenuineIntel:6f0:1", "-N100 -N162"},
      {{"-O2", "-sse2"}, "GenuineIntel:6f0:1", "-N100 -N160 -N162"},
      {{"-O2"}, "GenuineIntel:100f20:1", "-N162"},
      {{"-O2"}, "AuthenticAMD:550:1", "-N162"},
      {{"-O2"}, "AuthenticAMD:580:1", "-N100 -N162"},
      {{"-O2"}, "AuthenticAMD:6a0:1", "-N135 -N160 -N162"},
      {{"-O3"}, "AuthenticAMD:a00f00:1", "-N159 -N160 -N162"},
      {{"-O2"}, "CyrixInstead:6f0:1", "-N162"},
      {{"-O2"}, "none", "-N162"},
      {{"-O1"}, "GenuineIntel:f20:1", "-N162"},
      {{"-O2", "-cpu:athlon"}, "GenuineIntel:6f0:1", "-N135 -N160 -N162"},
      {{"-O2", "-cpu:athlon"}, "GenuineIntel:6f0:0", "-N135 -N162"},
      {{"-O2", "-cpu:p5"}, "GenuineIntel:f20:1", "-N162"},
      {{"-cpu:host"}, "GenuineIntel:f20:1", "-N133 -N162"},
      {{"-O3", "-cpu:p7", "-nosse2"}, "GenuineIntel:f20:1", "-N133 -N162"},
      {{"-sse2"}, "none", "-N160 -N162"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.options.back() + " " + row.host);
    Lines args = row.options;
    args.insert(args.end(), {"-c", "m.f90"});
    RunResult r = run(args, {{"F90_TEST_CPU", row.host}});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string cg = line_of("ocgen");
    size_t at = cg.find("-N105 ");
    ASSERT_NE(at, std::string::npos) << cg;
    std::string tail = cg.substr(at + 6, cg.find(" -o ") - at - 6);
    EXPECT_EQ(tail, row.tail);
  }
}

TEST_F(Link, CodeGeneratorFlagsOrder) {
  RunResult r = run({"-O2", "-safefp", "-B33", "+B76", "-B331", "-c", "m.f90"},
                    {{"F90_TEST_CPU", "GenuineIntel:6f0:0"}});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(line_of("ocgen"),
            X("I/bin/ocgen{exe} -N76 -N33 +N76 -O2 -N61 -N104 -N105 -N331 +N157 +N137 +N41 -N24 "
              "-N100 -N162 -o m.obj -i Tm.int"));
}

TEST_F(Link, FortranFlagsFinished) {
  suite.scratch.mkdir("work/out");
  RunResult r = run({"-O3", "-h8", "-nowdir", "-o", X("out/m.exe"), "-nodefaultmod", "m.f90"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(line_of("ftfront"),
            X("I/bin/ftfront{exe} -O0 -Ab -p. -YMOD_OUT_DIR=out -pout -FTm.bif m.f90"));
  EXPECT_EQ(line_of("ixform"),
            X("I/bin/ixform{exe} -hmif=p -YTRANSFORM_LOOPS -YUNROLL=8,40 -o Tm.int Tm.bif"));
  r = run({"-O3", "-c", "m.f90"});
  EXPECT_EQ(line_of("ixform"),
            X("I/bin/ixform{exe} -YUNROLL=auto -hmif=p -YTRANSFORM_LOOPS -o Tm.int Tm.bif"));
}

TEST_F(Link, DriverNamedWithXSuffixUsesTheXTools) {
  std::string x = suite.scratch.at("inst/bin/f90_x" + target_exe());
  std::filesystem::copy_file(driver_path(), x);
  for (const char* tool : {"ftfront", "ixform", "ocgen"})
    std::filesystem::copy_file(suite.scratch.at(std::string("inst/bin/") + tool + target_exe()),
                               suite.scratch.at(std::string("inst/bin/") + tool + "_x" + target_exe()));
  DriverRun d;
  d.program = x;
  d.args = {"m.f90"};
  d.cwd = suite.work();
  d.temp_dir = suite.tmp();
  d.env["F90_TOOL_LOG"] = target_path(suite.scratch.at("tools.log"));
  suite.clear_log();
  RunResult r = run_driver(d);  // no ORVANE: the installation is found from f90_x itself
  ASSERT_EQ(r.status, 0) << r.err;
  Lines l = suite.lines();
  ASSERT_EQ(l.size(), 4u);
  EXPECT_EQ(l[0].rfind(X("I//bin/ftfront_x{exe} "), 0), 0u) << l[0];
  EXPECT_EQ(l[1].rfind(X("I//bin/ixform_x{exe} "), 0), 0u) << l[1];
  EXPECT_EQ(l[2].rfind(X("I//bin/ocgen_x{exe} "), 0), 0u) << l[2];
  EXPECT_EQ(l[3], X("I//bin/olink{exe} -ignoredups -aliases:UNICODE.ALS -out:m.exe Tm.obj orvRT0_x.lib "
                    "rt9math_x.lib rtio_x.lib rtmath_x.lib liboc_x.lib comdlg32.lib kernel32.lib"));
}

TEST_F(Link, CheckOptsRunsNothing) {
  RunResult r = run({"-checkopts", "-v", "m.f90"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(suite.lines(), Lines{});
}

TEST_F(Link, WildcardsOnPosixKeepColonsAndBackslashesInTheName) {
  if (target_is_windows()) GTEST_SKIP() << "':' and '\\' end a directory part on Windows";
  suite.scratch.write("work/src/x:1.f90", "      end\n");
  suite.scratch.write("work/src/y\\2.f90", "      end\n");
  RunResult r = run({"-c", "src/x:*.f90", "src/y\\*.f90"});
  ASSERT_EQ(r.status, 0) << r.err;
  Lines l = suite.lines();
  ASSERT_EQ(l.size(), 6u);
  EXPECT_NE(l[0].find(" src/x:1.f90"), std::string::npos) << l[0];
  EXPECT_NE(l[3].find(" src/y\\2.f90"), std::string::npos) << l[3];
}

}  // namespace
