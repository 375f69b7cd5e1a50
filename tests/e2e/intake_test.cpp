// The driver as a process: start-up, the default options file, response
// files, -help, the option language under -checkopts and the report of
// unused arguments.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/support/harness.h"

namespace {

const char* const HelpText =
    "(for more info see your manual)\n"
    "-c                     # Compile to object files only\n"
    "-D<macro>              # Define preprocessor macros\n"
    "-g                     # Produce debug information\n"
    "-help                  # Prints partial list of options\n"
    "-I<dir>                # Add to include search path\n"
    "-O                     # Optimizations\n"
    "-o <filename>          # Name of the output file\n"
    "-out:<filename>        # Name of the output file\n"
    "-q                     # Quiet mode\n"
    "-U<macro>              # Undefine preprocessor macros\n"
    "-v                     # Verbose\n"
    "-w                     # Suppress all warnings\n";

// One byte longer than the piece the driver copies at a time.
const std::string Release = "Orvane Fortran 95\r\nrelease 9.1\n" + std::string(973, '-') + "last line without end";

// "-k..." arguments are taken by no handler, so they show up in the report
// in exactly the order in which the intake met them.
class Intake : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch.write("inst/orvane_release.txt", Release);
    scratch.write("work/hello.f90", "end\n");
  }
  void rsp(const std::string& name, const std::string& text) { scratch.write("work/" + name, text); }

  Suite suite;
  const Scratch& scratch = suite.scratch;
};

TEST_F(Intake, NoArgumentsPrintsReleaseAndNoInputMessage) {
  RunResult r = suite.run({});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, target_text(Release));
  EXPECT_EQ(r.err, "ERROR: No input files.\n");
  // The release text is out before the message, with both in one file.
  DriverRun d = suite.prepare({});
  d.err_to_out = true;
  EXPECT_EQ(run_driver(d).out, target_text(Release) + "ERROR: No input files.\n");
}

// Runs that end in the intake's report, with and without -checkopts:
// declined options and the values they would have taken, missing files,
// response files.
TEST_F(Intake, Reports) {
  rsp("a.rsp", "-ka1 @b.rsp\n-ka2\n");
  rsp("b.rsp", "-kb1\n\n@empty.rsp -kb2\n");
  rsp("empty.rsp", "");
  const std::string longarg = "-k" + std::string(5000, 'y');
  // Read as it is: a Ctrl+Z does not end the file (as Windows' text mode would).
  rsp("long.rsp", "-kfirst " + longarg + " '-kquoted arg'\r\n-k\x1a" "last\r\n");
  rsp("self.rsp", "-kx @self.rsp\n");
  rsp("ping.rsp", "@pong.rsp");
  rsp("pong.rsp", "@ping.rsp");
  rsp("h.rsp", "-help\n");
  scratch.mkdir("work/adir");
  const struct {
    std::vector<std::string> args;
    std::string err;
  } rows[] = {
      {{"-kx", "nothere.f90", "-ky", "", "gone.obj"},
       "ERROR: Unrecognized arguments: -kx -ky \nERROR: File not found: nothere.f90\nERROR: File not found: gone.obj\n"},
      {{"-f", "freeform", "-Z", "1,a", "+ffree", "hello.f90", "-Y"},
       "ERROR: Unrecognized arguments: -f -Z +ffree -Y\nERROR: File not found: freeform\nERROR: File not found: 1,a\n"},
      {{"nothere.f90"}, "ERROR: File not found: nothere.f90\n"}, {{"@"}, "ERROR: Unable to open response file \"\"\n"},
      // -O2 is not the directory of -p: it is taken as an option.
      {{"-p", "-O2", "hello.f90"}, "ERROR: Unrecognized arguments: -p\n"},
      {{"-b", "x", "-N12", "-Uname", "hello.f90", "-o"},
       "ERROR: Unrecognized arguments: -b -N12 -o\nERROR: File not found: x\n"},
      {{"-o", "a.exe", "hello.f90", "-ob.exe"}, "Only one output file can be specified.\n"},
      // Response files expand in place, depth first, with lines of any
      // length and line end.
      {{"-k0", "@a.rsp", "-k9"}, "ERROR: Unrecognized arguments: -k0 -ka1 -kb1 -kb2 -ka2 -k9\n"},
      {{"@long.rsp"}, "ERROR: Unrecognized arguments: -kfirst " + longarg + " -kquoted arg -k\x1a" "last\n"},
      {{"@h.rsp"}, "ERROR: Unrecognized arguments: -help\n"},  // not the help request
      {{"-Help", "--help", "-helps"}, "ERROR: Unrecognized arguments: -Help --help -helps\n"},  // nor these
      {{"-kx", "@nosuch.rsp"}, "ERROR: Unable to open response file \"nosuch.rsp\"\n"},
      {{"@adir", "hello.f90"}, "ERROR: Unable to open response file \"adir\"\n"},
      {{"@self.rsp"}, "ERROR: Response files nested more than 64 deep: \"self.rsp\"\n"},
      {{"@ping.rsp"}, "ERROR: Response files nested more than 64 deep: \"ping.rsp\"\n"},
  };
  for (const auto& row : rows) {
    for (bool checkopts : {false, true}) {
      SCOPED_TRACE(row.args[0] + (checkopts ? " -checkopts" : ""));
      DriverRun d = suite.prepare(row.args);
      if (checkopts) d.args.insert(d.args.begin(), "-checkopts");
      RunResult r = run_driver(d);
      EXPECT_EQ(r.status, 1);
      EXPECT_EQ(r.out, "");
      EXPECT_EQ(r.err, row.err);
    }
  }
  // Each file names the next one twice: without a bound on the number of
  // files read, this would take 2^64 steps.
  for (int i = 0; i < 40; ++i)
    rsp("m" + std::to_string(i) + ".rsp",
        "@m" + std::to_string(i + 1) + ".rsp @m" + std::to_string(i + 1) + ".rsp");
  rsp("m40.rsp", "-kx");
  DriverRun d = suite.prepare({"@m0.rsp"});
  d.timeout_seconds = 300;  // 100,001 files take over a minute under wine on a loaded machine
  RunResult r = run_driver(d);
  EXPECT_EQ(r.status, 1);
  // Read depth first, the 100,001st file is an m37.rsp.
  EXPECT_EQ(r.err, "ERROR: More than 100000 response files read: \"m37.rsp\"\n");
  // The 4,000,001st argument read from response files (1,000 in each k.rsp,
  // after the 4,001 of at.rsp) ends the run.
  if (target_is_windows()) return;  // 4,000,000 arguments take long under wine
  std::string k, at;
  for (int i = 0; i < 1000; ++i) k += "-k ";
  for (int i = 0; i < 4001; ++i) at += "@k.rsp\n";
  rsp("k.rsp", k);
  rsp("at.rsp", at);
  EXPECT_EQ(suite.run({"@at.rsp"}).err, "ERROR: More than 4000000 arguments read from response files: \"k.rsp\"\n");
  // Exactly 4,000,000 (the 4,000 of v.rsp, 3,996 files of 1,000) are taken.
  std::string v, vat = "-v -v -v -v\n";
  for (int i = 0; i < 1000; ++i) v += "-v ";
  for (int i = 0; i < 3996; ++i) vat += "@v.rsp\n";
  rsp("v.rsp", v);
  rsp("vat.rsp", vat);
  EXPECT_EQ(suite.run({"@vat.rsp"}).err, "ERROR: No input files.\n");
}

TEST_F(Intake, HelpInAnyPrefixWinsOverEverythingElse) {
  std::vector<std::string> helps = {"-help", "+help", "!help"};
  // '/' starts options only where it does not start absolute paths.
  if (target_is_windows()) helps.push_back("/help");
  for (const std::string& help : helps) {
    RunResult r = suite.run({"-kbad", "missing.f90", help, "-kworse"});
    EXPECT_EQ(r.status, 0) << help;
    EXPECT_EQ(r.out, HelpText) << help;
    EXPECT_EQ(r.err, "") << help;
  }
}

TEST_F(Intake, DefaultOptionsOnlyFromF90LinesAndInFrontOfTheCommandLine) {
  scratch.write("inst/default.opt", "f90 -kone \"-k two\"\r\nf77 -knot\nf90-kthree\n#f90 -knot\n f90 -knot\nf90");
  RunResult r = suite.run({"-kcmd"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "ERROR: Unrecognized arguments: -kone -k two -kthree -kcmd\n");
}

// A driver with no parent directory above its own cannot find the suite; one
// directory down, the root directory is the installation.
TEST_F(Intake, DriverAtTheRootFindsNoInstallDir) {
  std::string copy = "/f90-at-root-" + std::to_string(getpid());
  std::error_code ec;
  if (target_is_windows() || !std::filesystem::copy_file(driver_path(), copy, ec))
    GTEST_SKIP() << "the root directory is not writable here";
  DriverRun d;
  d.program = copy;
  d.cwd = scratch.at("work");
  RunResult r = run_driver(d);
  std::filesystem::create_directory(copy + ".d");
  std::filesystem::rename(copy, d.program = copy + ".d/f90");
  RunResult below = run_driver(d);
  std::filesystem::remove_all(copy + ".d");
  EXPECT_EQ(std::to_string(r.status) + " " + r.err, "1 Can't find the orvane directory.\nPlease set the ORVANE environment variable and try again.\n");
  EXPECT_EQ(std::to_string(below.status) + " " + below.err, "0 ERROR: No input files.\n");
}

// ORVANE of 261 characters is refused before any argument is looked at,
// -help included; 248 to 260 are too long for the default options file;
// with no arguments, 241 and more too long for the release file. An empty
// one counts as not set.
TEST_F(Intake, InstallDirLengthLimits) {
  const std::string too_long =
      "The ORVANE environment variable is set to a path that exceeds the maximum\n"
      "length specified by the system.  Please change it and try again.\n";
  const std::string too_long_here =
      "The ORVANE directory is set to a path that is too long.\n"
      "Please check your ORVANE environment variable and try again.\n";
  const std::string none = "ERROR: No input files.\n";
  const struct {
    std::vector<std::string> args;
    size_t length;
    std::string err;
  } rows[] = {{{"-help"}, 261, too_long}, {{"-help"}, 248, too_long_here}, {{"-help"}, 260, too_long_here},
              {{}, 240, none},            {{}, 241, too_long_here},        {{}, 0, none}};
  std::string base = target_path(scratch.at("inst"));
  for (const auto& row : rows) {
    SCOPED_TRACE(row.length);
    DriverRun d = suite.prepare(row.args);
    d.env["ORVANE"] = row.length ? base + std::string(row.length - base.size(), 'x') : "";
    RunResult r = run_driver(d);
    EXPECT_EQ(r.status, row.err == none ? 0 : 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, row.err);
  }
}

}  // namespace
