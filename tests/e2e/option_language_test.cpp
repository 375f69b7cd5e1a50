// The option language as the driver binary shows it: options of every
// family accepted quietly under -checkopts, declined options ending in the
// intake's report, and the one error of the general options.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/harness.h"

namespace {

class OptionLanguage : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch.mkdir("install");
    scratch.write("work/hello.f90", "end\n");
  }
  RunResult run(std::vector<std::string> args) {
    DriverRun r;
    r.args = std::move(args);
    r.env["ORVANE"] = target_path(scratch.at("install"));
    r.cwd = scratch.at("work");
    return run_driver(r);
  }

  Scratch scratch;
};

TEST_F(OptionLanguage, CheckoptsAcceptsEveryFamilySilently) {
  RunResult r = run({"-checkopts", "-O2", "-ffree", "-f", "fixed", "-t", "132", "-g77",
                     "-YVAR_NAMES=LCS", "-Y", "VF_CHAR", "-i8", "-N19", "+N20", "-N113", "-dB",
                     "-eR", "-R7", "-syntax", "-m3", "-z", "2", "-M1,2", "-Z", "3 4", "-q", "-w",
                     "-W", "5", "-h4", "-H8", "-HF2", "-U", "-T", "16", "-V", "-x", "abc", "-p",
                     "mods", "-pinc", "-nodefaultmod", "-WINAPIModFiles", "-fdll", "-B5", "+Q7",
                     "-D", "X=1", "-Iinc", "-O", "-P", "-S", "-c", "-trap=all", "-b", "12", "-g",
                     "-gmin", "-keep", "-nodefaultlib", "-o", "hello.exe", "-profile",
                     "-round=x", "-safefp", "hello.f90"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
}

TEST_F(OptionLanguage, SecondOutputNameEndsTheRun) {
  RunResult r = run({"-o", "a.exe", "hello.f90", "-ob.exe", "-checkopts"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Only one output file can be specified.\n");
}

// Declined options, and the values they would have taken, reach the report.
TEST_F(OptionLanguage, DeclinedOptionsAreReported) {
  const struct {
    std::vector<std::string> args;
    const char* err;
  } rows[] = {
      {{"-f", "freeform", "-Z", "1,a", "+ffree", "hello.f90", "-Y"},
       "ERROR: Unrecognized arguments: -f -Z +ffree -Y\n"
       "ERROR: File not found: freeform\n"
       "ERROR: File not found: 1,a\n"},
      // -O2 is not the directory of -p: it is taken as an option.
      {{"-p", "-O2", "hello.f90"}, "ERROR: Unrecognized arguments: -p\n"},
      {{"-b", "x", "-N12", "-Uname", "hello.f90", "-o"},
       "ERROR: Unrecognized arguments: -b -N12 -Uname -o\nERROR: File not found: x\n"},
  };
  for (const auto& row : rows) {
    std::vector<std::string> args = {"-checkopts"};
    args.insert(args.end(), row.args.begin(), row.args.end());
    RunResult r = run(args);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, row.err);
  }
}

}  // namespace
