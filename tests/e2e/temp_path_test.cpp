// The run's private directory in the system's own temporary path, as the
// system names it, and the worked example with that directory.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/harness.h"

namespace {

// The directory's name below the temporary path, as the platform forms it:
// Windows takes the first three characters of "Orvane", a hexadecimal
// number and ".tmp"; POSIX "Orv" and six random characters.
const std::regex& private_dir_name() {
  static const std::regex windows("Orv[0-9A-Fa-f]{1,4}\\.tmp\\\\");
  static const std::regex posix("Orv[A-Za-z0-9]{6}/");
  return target_is_windows() ? windows : posix;
}

TEST(SystemTemp, WorkedExampleInTheSystemsTemporaryPath) {
  Suite suite;
  suite.sources({"hello.f90"});
  DriverRun d = suite.prepare({"-v", "-O2", "-o", "hello.exe", "hello.f90"},
                              {{"F90_TEST_CPU", "GenuineIntel:6f0:1"}});
  d.temp_dir.clear();  // the system's own
  RunResult r = run_driver(d);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");

  // The first line names the directory: "mkdir T".
  std::istringstream out(r.out);
  std::string first;
  std::getline(out, first);
  ASSERT_EQ(first.rfind("mkdir ", 0), 0u) << r.out;
  std::string temp = first.substr(6);
  std::string system = target_system_temp();
  ASSERT_EQ(temp.rfind(system, 0), 0u) << temp;
  EXPECT_TRUE(std::regex_match(temp.substr(system.size()), private_dir_name())) << temp;

  suite.temp_prefix = system;
  std::string want_lines =
      X("I/bin/ftfront{exe} -O0 -Ab -p. -pI/F90INC -FThello.bif hello.f90\n"
        "I/bin/ixform{exe} -hmif=p -o Thello.int Thello.bif\n"
        "I/bin/ocgen{exe} -N76 -O2 -N61 -N104 -N105 -N100 -N162 -o Thello.obj -i Thello.int\n"
        "I/bin/olink{exe} -ignoredups -aliases:UNICODE.ALS -out:hello.exe Thello.obj "
        "orvRT0.lib rt9math.lib rtio.lib rtmath.lib liboc.lib comdlg32.lib kernel32.lib\n");
  EXPECT_EQ(suite.normalize(r.out), X("mkdir T\n") + want_lines + X("del T*.*\nrmdir T\n"));
  // What the tools received, byte for byte, is what was echoed.
  std::string received;
  for (const std::string& line : suite.commands()) received += line + "\n";
  EXPECT_EQ(received, want_lines);
  EXPECT_TRUE(suite.scratch.exists("work/hello.exe"));
}

}  // namespace
