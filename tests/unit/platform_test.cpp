// The platform layer against the real system: file search, the private
// temporary directory, the temporary path and the program's own location,
// and the SSE2 probe (its rules, its guard, what it leaves in MXCSR). (Child processes are checked by every tool that
// the end-to-end tests start.) The same cases run on POSIX and, cross-built,
// on Windows.
#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "platform/platform.h"
#include "platform/sse2_rules.h"
#include "tests/unit/option_fixture.h"

namespace fs = std::filesystem;

namespace {

// A directory of the test's own under the system's temporary path, with
// the platform's separators; `p(...)` names entries in it.
class Platform : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device rd;
    dir_ = fs::temp_directory_path() / ("f90plat-" + std::to_string(rd()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  std::string p(const std::string& rel = "") const {
    std::string base = dir_.string();
    if (base.back() != PathSep) base += PathSep;
    return base + rel;
  }
  void touch(const std::string& rel, const std::string& content = "x") const {
    std::ofstream(p(rel), std::ios::binary) << content;
  }

  fs::path dir_;
};

TEST_F(Platform, SearchReportsMatchesOfTheLastComponent) {
  for (const char* name : {"a.f90", "b.f90", "c.obj", "ab.f95", "c++.c"}) touch(name);
  fs::create_directory(p("sub"));
  const struct {
    const char* pattern;
    Strings names;
  } rows[] = {
      // '+' is an ordinary character; a star at the end matches nothing
      // too; a directory is found too.
      {"*.f90", {"a.f90", "b.f90"}}, {"?.obj", {"c.obj"}}, {"c+*", {"c++.c"}}, {"a*", {"a.f90", "ab.f95"}},
      {"a.f90", {"a.f90"}}, {"a.f90*", {"a.f90"}}, {"sub", {"sub"}}, {"nothing*", {}}, {"missing.f90", {}},
  };
  for (const auto& row : rows) {
    std::string pattern = p(row.pattern);
    ArgList* names = arglist_create();
    size_t count = plat_find_all(pattern.c_str(), names);
    Strings found = values(names);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, row.names) << row.pattern;
    EXPECT_EQ(count, row.names.size()) << row.pattern;
    EXPECT_EQ(plat_find_any(pattern.c_str()), !row.names.empty()) << row.pattern;
    arglist_destroy(names);
  }
#ifndef _WIN32
  // Every search closes its directory: a hundred fit in a few handles.
  rlimit saved;
  getrlimit(RLIMIT_NOFILE, &saved);
  const rlimit few = {32, saved.rlim_max};
  setrlimit(RLIMIT_NOFILE, &few);
  int found = 0;
  for (int i = 0; i < 100; ++i) found += plat_find_any(p("*.f90").c_str());
  setrlimit(RLIMIT_NOFILE, &saved);
  EXPECT_EQ(found, 100);
#endif
  // A search inside a directory that does not exist finds nothing.
  EXPECT_FALSE(plat_find_any(p("nodir" + std::string(1, PathSep) + "*").c_str()));
}

TEST_F(Platform, PrivateDirectoriesAreNewAndEndInASeparator) {
  char first[300], second[300];
  ASSERT_TRUE(plat_make_private_dir(p().c_str(), first, sizeof first));
  ASSERT_TRUE(plat_make_private_dir(p().c_str(), second, sizeof second));
  for (const char* made : {first, second}) {
    std::string name = made;
    EXPECT_EQ(name.rfind(p() + "Orv", 0), 0u) << name;
    ASSERT_GT(name.size(), p().size() + 3);
    EXPECT_EQ(name.back(), PathSep) << name;
    EXPECT_TRUE(fs::is_directory(name.substr(0, name.size() - 1))) << name;
    EXPECT_TRUE(fs::is_empty(name.substr(0, name.size() - 1))) << name;
  }
  EXPECT_STRNE(first, second);
  // A name that does not fit with its separator and NUL is refused, and
  // nothing is left of it; one more character and it fits.
  const size_t fits = std::strlen(first) + 1;
  EXPECT_FALSE(plat_make_private_dir(p().c_str(), second, fits - 1));
  EXPECT_TRUE(plat_make_private_dir(p().c_str(), second, fits));
  // Nothing but the three directories was left behind.
  size_t entries = 0;
  for (const auto& e : fs::directory_iterator(dir_)) entries += e.is_directory() ? 1 : 100;
  EXPECT_EQ(entries, 3u);
}

// The temporary directory's clean-up: the plain files listed (no directory,
// whatever the file system reports), a read-only file refused
// with an error and left, and a directory removed only once empty.
TEST_F(Platform, FilesAreListedDeletedAndTheDirectoryRemoved) {
  const std::string d = p("d") + PathSep;
  fs::create_directories(d + "sub");
  touch("d" + std::string(1, PathSep) + "b.int");
  touch("d" + std::string(1, PathSep) + "a.bif");
  ArgList* names = arglist_create();
  plat_list_files(d.c_str(), names);
  plat_list_files((d + "none" + PathSep).c_str(), names);
  std::vector<std::string> listed;  // in the system's order, which Windows does not fix
  for (const ArgNode* n = arglist_first(names); n; n = argnode_next(n)) listed.emplace_back(argnode_value(n));
  arglist_destroy(names);
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, (std::vector<std::string>{"a.bif", "b.int"}));
  fs::permissions(d + "a.bif", fs::perms::all, fs::perm_options::remove);
  EXPECT_NE(plat_delete_file((d + "a.bif").c_str()), 0u) << "read-only";
  EXPECT_EQ(plat_delete_file((d + "b.int").c_str()), 0u);
  EXPECT_NE(plat_delete_file((d + "b.int").c_str()), 0u) << "gone already";
  fs::remove(d + "sub");
  EXPECT_FALSE(plat_remove_dir(d.c_str())) << "a.bif is left";
  fs::permissions(d + "a.bif", fs::perms::owner_all, fs::perm_options::add);
  EXPECT_EQ(plat_delete_file((d + "a.bif").c_str()), 0u);
  EXPECT_TRUE(plat_remove_dir(d.c_str()));
}

TEST(PlatformSystem, TempPathAndOwnLocation) {
  char temp[260];
  size_t n = plat_temp_path(temp, sizeof temp);
  ASSERT_GT(n, 0u);
  const std::string path = temp;
  EXPECT_EQ(n, path.size());
  EXPECT_EQ(temp[n - 1], PathSep);
  // A buffer too small for the path gives no path rather than a cut one.
  char tiny[3];
  EXPECT_EQ(plat_temp_path(tiny, sizeof tiny), 0u);
  EXPECT_EQ(plat_temp_path(temp, n), 0u);
  std::string exact(n + 2, 'z');
  EXPECT_EQ(plat_temp_path(&exact[0], n + 1), n) << "the path and its NUL fill the buffer";
  EXPECT_EQ(exact.substr(0, n + 1), path + '\0');
  EXPECT_EQ(exact[n + 1], 'z') << "nothing is written past the buffer";

  char exe[1024];
  size_t len = plat_executable_path(exe, sizeof exe);
  ASSERT_GT(len, 0u);
  std::string self = exe;
  std::string tail = std::string(1, PathSep) + "unit_tests" + ExeSuffix;
  ASSERT_GE(self.size(), tail.size());
  EXPECT_EQ(self.substr(self.size() - tail.size()), tail);
  // A path that does not fit is no path, and nothing is written past the buffer.
  std::memset(exe, 'z', sizeof exe);
  EXPECT_EQ(plat_executable_path(exe, 4), 0u);
  EXPECT_EQ(exe[4], 'z');
  EXPECT_STREQ(exe, "");
}

}  // namespace

#ifndef _WIN32
// A command line of the program's name alone runs it; an empty one starts
// nothing and is a failure.
TEST(PlatformSystem, SpawnRunsTheWholeLine) {
  EXPECT_EQ(plat_spawn_and_wait("true"), 0u);
  EXPECT_NE(plat_spawn_and_wait("false"), 0u);
  EXPECT_NE(plat_spawn_and_wait(""), 0u);
}
#endif

#if defined(__i386__) || defined(__x86_64__)
namespace {
int illegal_instruction() { __builtin_trap(); }  // ud2
int plain_answer() { return 7; }
}  // namespace

// The SSE2 probe's guard: a fault inside it ends in the fault's answer, with
// no crash and no message, as often as it happens; afterwards illegal
// instructions are handled as before.
TEST(PlatformProcessor, GuardRecoversFromAnIllegalInstruction) {
#ifndef _WIN32
  struct sigaction before = {}, after = {};
  sigaction(SIGILL, nullptr, &before);
#endif
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  EXPECT_EQ(plat_run_guarded(illegal_instruction, -1), -1);
  EXPECT_EQ(plat_run_guarded(illegal_instruction, -2), -2) << "a second fault is caught too";
  EXPECT_EQ(plat_run_guarded(plain_answer, -1), 7);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
#ifndef _WIN32
  sigaction(SIGILL, nullptr, &after);
  EXPECT_EQ(after.sa_handler, before.sa_handler);
#endif
}
#endif

// The probe's rules, on the answers of processors other than this one. EDX
// bits of CPUID leaf 1: MMX 23, FXSR 24, SSE 25, SSE2 26, self-snoop 27.
TEST(PlatformProcessor, Sse2RulesTellProcessorsApart) {
  constexpr uint32_t Mmx = 1u << 23, Fxsr = 1u << 24, Sse = 1u << 25, Sse2 = 1u << 26, Snoop = 1u << 27;
  EXPECT_TRUE(sse2_rules::qualifies(Mmx | Fxsr | Sse | Sse2 | Snoop)) << "a Pentium 4";
  EXPECT_FALSE(sse2_rules::qualifies(Mmx | Fxsr | Sse | Snoop)) << "a Pentium III has no SSE2";
  EXPECT_FALSE(sse2_rules::qualifies(Mmx | Sse | Sse2 | Snoop)) << "SSE2 without FXSR";
  EXPECT_EQ(sse2_rules::writable_bits(0), 0xFFBFu) << "a processor that leaves MXCSR_MASK 0";
  EXPECT_EQ(sse2_rules::control_value(0xFFBF), 0x1F80u);
}

#if defined(__i386__) || defined(__x86_64__)
namespace {
uint32_t read_mxcsr() {
  uint32_t value;
  __asm__ volatile("stmxcsr %0" : "=m"(value));
  return value;
}
void write_mxcsr(uint32_t value) { __asm__ volatile("ldmxcsr %0" : : "m"(value)); }
}  // namespace

// A host that qualifies leaves the probe with every SSE exception masked,
// rounding to nearest and no flush to zero, whatever MXCSR held before; the
// second probe (the mask read once) does the same.
TEST(PlatformProcessor, Sse2ProbeLoadsTheControlRegister) {
  const uint32_t before = read_mxcsr();
  const uint32_t upward_flush_to_zero = 0x1F80 | 0x4000 | 0x8000;
  for (int probe = 0; probe < 2; ++probe) {
    write_mxcsr(upward_flush_to_zero);
    int answer = plat_sse2_probe();
    uint32_t after = read_mxcsr();
    write_mxcsr(before);
    if (!answer) GTEST_SKIP() << "this host does not qualify for SSE2";
    EXPECT_EQ(after, 0x1F80u) << "probe " << probe;
  }
}
#endif
