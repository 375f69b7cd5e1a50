// Inputs for the intake fuzzer's entry point, replayed as tests: the inputs
// the fuzzer found faults with and the most response files one run reads
// (one more is refused: the end-to-end intake tests).
// Built with the sanitizers in the sanitizer run, these catch the memory
// faults and leaks that the fuzzer catches (CI's fuzzing run also goes over
// every seed of fuzz/corpus). Self-including and missing response files,
// help requests and odd quoting are checked on the driver itself by the
// end-to-end tests.
#include <gtest/gtest.h>

#include <string>

#include "driver/settings.h"
#include "fuzz/intake_input.h"

namespace {

// Every setting that options change, as one text.
std::string settings() {
  std::string s = OutputName ? OutputName : "(none)";
  for (int v : {TargetKind, OptLevel, Verbose, DryRun, KeepTemps, NoDefaultLib, CheckOptsOnly, SafeFP, VarNameCase,
                UnrollCount, UnrollLimit, UnrollThird, NoDefaultModulePath, UseDllRuntime, ThreadSafeIO,
                ModulesToOutputDir, ObjectSuffixDotO, AutoExports, EtWinObject, LinkIgnoreDups, TargetCpu, Sse2Mode})
    s += " " + std::to_string(v);
  return s + (FrontEndFlags ? " lists" : "");
}
// As the driver's process starts, before any option.
const std::string AtStart = settings();

constexpr int Returned = -1;  // intake and planning came back normally

struct ReplayCase {
  const char* what;
  std::string bytes;
  int status;
};

// Sections: arguments, default.opt, r, s, t, u.f90 (separated by NUL).
std::string input(std::initializer_list<const char*> sections) {
  std::string out;
  for (const char* s : sections) (out += s) += '\0';
  out.pop_back();  // no separator after the last
  return out;
}

int replay(const std::string& bytes) {
  return run_intake_input(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

class IntakeReplay : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { intake_scratch_open(); }
  static void TearDownTestSuite() { intake_scratch_close(); }
};

TEST_F(IntakeReplay, FoundAndBoundaryInputs) {
  std::string most_files;  // r and 99,999 readings of s: the most one run reads
  for (int i = 0; i < 99999; ++i) most_files += "@s\n";
  const ReplayCase cases[] = {
      {"100,000 response files", input({"@r", "", most_files.c_str(), ""}), Returned},
      // Found by the fuzzer: a second output name ends the run while the
      // leftover list of the intake is still held; it was lost on the way.
      {"second output name during dispatch",
       std::string("-c\n-o\na.obj\263-c2\263\263\n-o\na.obj\263\263\263\263", 28), 1},
      {"second output name after a leftover", input({"-nosuch\n-o\na\n-o\nb"}), 1},
      {"help in default options wins over a bad argument", input({"-nosuch", "f90 -help\n"}), 0},
      {"default options and an existing source", input({"u.f90", "f90 -c -O2\n", "", "", "", ""}),
       Returned},
      {"wildcard for several inputs with -c and -o", input({"-c\n-o\nx.obj\n*", "", "", "", "", ""}),
       1},
      {"wildcard for several inputs linked to one name", input({"-out:x.exe\n*", "", "", "", "", ""}),
       Returned},
      {"every setting changed", input({"-dll\n-O3\n-o\nx\n-v\n-dryrun\n-keep\n-nodefaultlib\n-checkopts\n-safefp\n"
                                       "-YVAR_NAMES=LCS\n-h3\n-H5\n-HF7\n-nodefaultmod\n-usedll\n-tsafeio\n"
                                       "-nowdir\n-doto\n-autoxps\n-et\n-reportDups\n-cpu:p7\n-sse2"}),
       Returned},
  };
  for (const ReplayCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(replay(c.bytes), c.status);
    // The same input gives the same answer again: nothing of a run
    // survives into the next.
    EXPECT_EQ(replay(c.bytes), c.status);
    EXPECT_EQ(settings(), AtStart);
  }
}

}  // namespace
