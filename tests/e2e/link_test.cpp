// The link stage run as a process: the names of the output, the export
// pass, the x tools, link planning's checks and the link failures (what each
// option puts on the linker's line is in cases/linker.cases).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/harness.h"

namespace {

class Link : public ::testing::Test {
 protected:
  Suite suite;
  void SetUp() override { suite.sources({"m.f90"}); }
};

const std::string Olink = X("I/bin/olink{exe} ");

// Each run's status, message and last tool line (the link, when there is
// one): the kinds of target, the names of the output, the expanded
// wildcards and the refusals of link planning.
TEST_F(Link, LinkLines) {
  suite.sources({"n.f90", "src/b.f90", "src/a.f90"});
  for (const char* name : {"obj/main.obj", "a.b.obj", "only.lib", "z.obj", "y.obj"})
    suite.scratch.write("work/" + std::string(name), "");
  const std::string many_objects = "\nNo output file should be specified when generating object code\nfor multiple files.\n";
  struct Row {
    Lines args;
    int status;
    std::string err, last;  // last: "" when no tool runs
  };
  const Row rows[] = {
      {{"-dll", "-lib", "-o", "s.lib", "m.f90"}, 0, "", Olink + "-ignoredups -lib -out:s.lib Tm.obj"},
      // Libraries without a name are refused once the sources are compiled.
      {{"-lib", "m.f90"}, 1, "Cannot create a library without a name.\n", X("I/bin/ocgen{exe} -N76 -N61 -N104 -N105 -N162 -o Tm.obj -i Tm.int")},
      {{"-dll", "m.f90"}, 1, "Cannot create a library without a name.\n", X("I/bin/ocgen{exe} -N76 -N61 -N104 -N105 -N162 -o Tm.obj -i Tm.int")},
      // The executable is named after the first object.
      {{X("obj/main.obj"), "a.b.obj"}, 0, "", Olink + "-ignoredups -aliases:UNICODE.ALS -out:main.exe " + X("obj/main.obj") + " a.b.obj " + Libraries},
      {{"a.b.obj"}, 0, "", Olink + "-ignoredups -aliases:UNICODE.ALS -out:a.b.exe a.b.obj " + Libraries},
      // A library alone is no input: nothing is linked.
      {{"only.lib"}, 0, "ERROR: No input files.\n", ""},
      // One output name, several inputs.
      {{"-c", "-o", "x.obj", "m.f90", "n.f90"}, 1, many_objects, ""},
      {{"-S", "-o", "x.s", "m.f90", "n.f90"}, 1,
       "\nNo output file should be specified when generating assembly\nfor multiple files.\n", ""},
      {{"-c", "-o", "x.obj", "*.f90"}, 1, many_objects, ""},  // a pattern that matches two files
      {{"-o", "both", "m.f90", "n.f90"}, 0, "", Olink + "-ignoredups -aliases:UNICODE.ALS -out:both Tm.obj Tn.obj " + Libraries},
      // Wildcards expand in place, sorted.
      {{"-o", "p", "z.obj", X("src/*.f90"), "y.obj"}, 0, "",
       Olink + "-ignoredups -aliases:UNICODE.ALS -out:p z.obj " + X("Ta.obj Tb.obj") + " y.obj " + Libraries},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.args[0] + " " + row.args.back());
    RunResult r = suite.run(row.args);
    EXPECT_EQ(r.status, row.status);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, row.err);
    Lines l = suite.lines();  // the last tool line is the link's, response file resolved
    EXPECT_EQ(l.empty() ? "" : l.back(), row.last);
    EXPECT_EQ(suite.temp_left(), Lines{});
  }
}

TEST_F(Link, DllWithExportPass) {
  RunResult r = suite.run({"-dll", "-autoxps", "-o", "x.dll", "-v", "m.f90"});
  ASSERT_EQ(r.status, 0) << r.err;
  Lines l = suite.lines();
  ASSERT_EQ(l.size(), 5u);
  EXPECT_EQ(l[3], Olink + X("-lib -out:Tautoxps.lib -exports:Tautoxps.xps -ignoredups Tm.obj"));
  EXPECT_EQ(l[4], Olink + X("-dll -exports:Tautoxps.xps -ignoredups -out:x.dll Tm.obj ") + Libraries);
  EXPECT_TRUE(suite.scratch.exists("work/x.dll"));
  // Verbose shows both linker runs.
  std::string out = suite.normalize(r.out);
  EXPECT_NE(out.find(Olink), out.rfind(Olink));
  // A failed export pass ends the run before the DLL is linked.
  r = suite.run({"-dll", "-autoxps", "-o", "y.dll", "m.f90"}, {{"F90_TOOL_FAIL", "olink=3"}});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "link failed.\n");
  EXPECT_EQ(suite.lines().size(), 4u);
  EXPECT_EQ(suite.temp_left(), Lines{});
}

TEST_F(Link, DriverNamedWithXSuffixUsesTheXTools) {
  std::string x = suite.scratch.at("inst/bin/f90_x" + target_exe());
  std::filesystem::copy_file(driver_path(), x);
  for (const char* tool : {"ftfront", "ixform", "ocgen"})
    std::filesystem::copy_file(suite.scratch.at(std::string("inst/bin/") + tool + target_exe()),
                               suite.scratch.at(std::string("inst/bin/") + tool + "_x" + target_exe()));
  // No ORVANE: the installation is found from f90_x itself.
  DriverRun d = suite.prepare({"m.f90"}, {{"ORVANE", std::nullopt}});
  d.program = x;
  ASSERT_EQ(run_driver(d).status, 0);
  Lines l = suite.lines();
  ASSERT_EQ(l.size(), 4u);
  EXPECT_EQ(l[0], X("I//bin/ftfront_x{exe} -Ab -p. -pI//F90INC -FTm.bif m.f90"));
  EXPECT_EQ(l[1], X("I//bin/ixform_x{exe} -hmif=p -o Tm.int Tm.bif"));
  EXPECT_EQ(l[2], X("I//bin/ocgen_x{exe} -N76 -N61 -N104 -N105 -N162 -o Tm.obj -i Tm.int"));
  EXPECT_EQ(l[3], X("I//bin/olink{exe} -ignoredups -aliases:UNICODE.ALS -out:m.exe Tm.obj orvRT0_x.lib "
                    "rt9math_x.lib rtio_x.lib rtmath_x.lib liboc_x.lib comdlg32.lib kernel32.lib"));
  // The tools are told the installation found (ORVANE), and what the driver
  // wrote comes before what a tool writes.
  if (target_is_windows()) return;
  std::string olink = suite.scratch.write("inst/bin/olink", "#!/bin/sh\necho \"ORVANE=$ORVANE\"\n");
  std::filesystem::permissions(olink, std::filesystem::perms::owner_all);
  d.args.insert(d.args.begin(), "-v");
  std::string out = suite.normalize(run_driver(d).out);
  EXPECT_NE(out.find(" comdlg32.lib kernel32.lib\nORVANE=I/\ndel "), std::string::npos) << out;
  d.env["ORVANE"] = "";  // set but empty: found all the same, and replaced
  out = suite.normalize(run_driver(d).out);
  EXPECT_NE(out.find(" comdlg32.lib kernel32.lib\nORVANE=I/\ndel "), std::string::npos) << out;
}

TEST_F(Link, WildcardsOnPosixKeepColonsAndBackslashesInTheName) {
  if (target_is_windows()) GTEST_SKIP() << "':' and '\\' end a directory part on Windows";
  suite.sources({"src/x:1.f90", "src/y\\2.f90"});
  RunResult r = suite.run({"-c", "src/x:*.f90", "src/y\\*.f90"});
  ASSERT_EQ(r.status, 0) << r.err;
  Lines l = suite.lines();
  ASSERT_EQ(l.size(), 6u);
  EXPECT_NE(l[0].find(" src/x:1.f90"), std::string::npos) << l[0];
  EXPECT_NE(l[3].find(" src/y\\2.f90"), std::string::npos) << l[3];
  // A pattern in the root directory is looked for there, not here.
  suite.sources({"zzf90root1.f90"});
  r = suite.run({"-c", "/zzf90root*.f90"});
  EXPECT_EQ(std::to_string(r.status) + r.err, "1ERROR: File not found: /zzf90root*.f90\n");
}

}  // namespace
