// Processor detection on emulated processors: the driver runs under qemu
// (qemu-i386 for the 32-bit build that F90_TEST_LOADER names, else
// qemu-x86_64 for this build) with -cpu MODEL and reads the real CPUID. What
// it must give the code generator is derived here from what a probe program
// reads under the same model, by the rules of the processor table: Intel
// family 6 is "-N100", Intel family 15 with extended family 0 "-N133", AMD
// family 5 from model 6 "-N100", AMD family 6 "-N135", AMD family 15
// "-N159", anything else no flag; "-N160" automatically only for the last
// three codes, at -O2, where the host has FXSR and SSE2 and can load MXCSR.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/support/harness.h"

namespace {

struct Host {
  std::string vendor;
  unsigned signature = 0, edx = 0;
  bool mxcsr_loads = false;
};

int expected_code(const Host& h) {
  unsigned family = (h.signature >> 8) & 0xF, model = (h.signature >> 4) & 0xF;
  unsigned extended_family = (h.signature >> 20) & 0xFF;
  if (h.vendor == "GenuineIntel") {
    if (family == 6) return 100;
    if (family == 15 && extended_family == 0) return 133;
  } else if (h.vendor == "AuthenticAMD") {
    if (family == 5 && model >= 6) return 100;
    if (family == 6) return 135;
    if (family == 15) return 159;
  }
  return 0;
}

// The models, with the processor-table row each reaches. qemu cannot
// present a processor without CPUID (its EFLAGS ID bit always changes), nor
// one below the i686 that the C library of the builds needs; family and
// vendor overrides reach the other rows. In order: the Pentium Pro (the
// 32-bit baseline); Intel 6 (SSE without SSE2, then plain, then with an
// extended model); Intel 15 extended family 0 (twice, then without FXSR);
// Intel 15 extended family 1; Intel 5 and 4; AMD 5 models 5, 8 and 6; AMD 6
// (plain, without SSE2, and overridden); AMD 15 extended family 0 (plain and
// without SSE2), 1 and 6; AMD 7; HygonGenuine family 15; another vendor; and
// the vendor text in other case (a 64-bit C library refuses to start on a
// vendor it does not know). `has_64_bit`: qemu-x86_64 can run it too.
struct Model {
  const char* cpu;
  bool has_64_bit;
};
const Model Models[] = {
    {"pentium2,-mmx", false}, {"pentium3", false}, {"core2duo", true}, {"Nehalem", true},
    {"kvm32", false}, {"kvm64", true}, {"kvm32,-fxsr", false}, {"kvm64,family=16", true},
    {"pentium3,family=5", false}, {"core2duo,family=4", true},
    {"athlon,family=5,model=5", false}, {"athlon,family=5,model=8", false}, {"qemu64,family=5,model=6", true},
    {"athlon", false}, {"athlon,-sse2", false}, {"qemu64,family=6", true},
    {"Opteron_G1", true}, {"Opteron_G1,-sse2", false}, {"phenom", true}, {"Opteron_G4", true},
    {"qemu64,family=7", true}, {"Dhyana", true}, {"kvm64,vendor=CentaurHauls", true},
    {"kvm32,vendor=genuineintel", false},
};

class CpuModels : public ::testing::Test {
 protected:
  void SetUp() override {
    if (target_is_windows()) GTEST_SKIP() << "qemu runs Linux programs";
#ifdef F90_SANITIZED
    GTEST_SKIP() << "sanitizer builds do not run under qemu";
#endif
    const char* loader = std::getenv("F90_TEST_LOADER");
    const char* probe = std::getenv("F90_TEST_CPU_PROBE");
    emulated_32 = loader && *loader;
    qemu = emulated_32 ? std::string(loader).substr(0, std::string(loader).find(' ')) : "qemu-x86_64";
    probe_ = probe && *probe ? probe : F90_CPU_PROBE;
    if (under("max", probe_, {}).status != 0) GTEST_SKIP() << qemu << " cannot run " << probe_;
    suite.sources({"m.f90"});
  }

  // Runs `program` under qemu as processor `cpu`. What the emulator says of
  // features it cannot give is not the program's, and is dropped.
  RunResult under(const std::string& cpu, const std::string& program, const Lines& args) {
    DriverRun d = suite.prepare(args);
    d.loader = {qemu, "-cpu", cpu};
    d.program = program;
    RunResult r = run_driver(d);
    std::istringstream in(r.err);
    r.err.clear();
    for (std::string line; std::getline(in, line);)
      if (line.rfind(qemu + ": warning: ", 0) != 0) r.err += line + "\n";
    return r;
  }

  Host read_host(const std::string& cpu) {
    RunResult r = under(cpu, probe_, {});
    EXPECT_EQ(r.status, 0) << r.err;
    Host h;
    std::istringstream(r.out) >> h.vendor >> std::hex >> h.signature >> h.edx;
    h.mxcsr_loads = under(cpu, probe_, {"ldmxcsr"}).status == 0;
    return h;
  }

  // The processor flags ("-N100" ... "-N160") in the code generator's line
  // of a dry run.
  std::string processor_flags(const std::string& cpu, Lines options) {
    options.insert(options.end(), {"-dryrun", "-c", "m.f90"});
    RunResult r = under(cpu, driver_path(), options);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    std::string line = r.out.substr(r.out.find("ocgen")), flags;
    std::istringstream words(line.substr(0, line.find('\n')));
    for (std::string w; words >> w;)
      if (w == "-N100" || w == "-N133" || w == "-N135" || w == "-N159" || w == "-N160")
        flags += (flags.empty() ? "" : " ") + w;
    return flags;
  }

  Suite suite;
  std::string qemu, probe_;
  bool emulated_32 = false;
};

TEST_F(CpuModels, DetectionAndSse2FollowTheProcessor) {
  int models = 0;
  for (const Model& m : Models) {
    if (!emulated_32 && !m.has_64_bit) continue;
    ++models;
    SCOPED_TRACE(m.cpu);
    Host host = read_host(m.cpu);
    int code = expected_code(host);
    std::string cpu = code ? "-N" + std::to_string(code) : "";
    // Automatic SSE2 needs FXSR (EDX bit 24), SSE2 (bit 26) and MXCSR loads.
    bool automatic = (code == 133 || code == 135 || code == 159) && (host.edx >> 24 & 1) && (host.edx >> 26 & 1) &&
                     host.mxcsr_loads;
    EXPECT_EQ(processor_flags(m.cpu, {"-O2"}), automatic ? cpu + " -N160" : cpu);
    EXPECT_EQ(processor_flags(m.cpu, {"-O2", "-nosse2"}), cpu);
    EXPECT_EQ(processor_flags(m.cpu, {"-O0", "-cpu:host"}), cpu);
    EXPECT_EQ(processor_flags(m.cpu, {"-O1", "-sse2"}), "-N160");
  }
  EXPECT_GE(models, 12);
}

}  // namespace
