// Running the GNU programs from the tools.
#include "tools/gnu/process.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>

#include "platform/platform.h"

namespace fs = std::filesystem;

namespace gnu {
namespace {

// The environment variables that the steps set, restored when it goes.
class StepEnvironment {
 public:
  void set(const std::string& assignment) {
    size_t eq = assignment.find('=');
    std::string name = assignment.substr(0, eq);
    if (saved_.count(name) == 0) {
      const char* value = std::getenv(name.c_str());
      saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
    }
    setenv(name.c_str(), assignment.c_str() + eq + 1, 1);
  }
  ~StepEnvironment() {
    for (const auto& [name, value] : saved_)
      if (value) setenv(name.c_str(), value->c_str(), 1); else unsetenv(name.c_str());
  }

 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

}  // namespace

std::string find_program(const std::string& program) {
  if (program.find('/') != std::string::npos) return is_file(program) ? program : "";
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  for (const std::string& dir : split(dirs, ':')) {
    std::error_code ec;
    fs::path candidate = fs::path(dir.empty() ? "." : dir) / program;
    fs::file_status st = fs::status(candidate, ec);
    if (!ec && fs::is_regular_file(st) &&
        (st.permissions() & (fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec)) !=
            fs::perms::none)
      return candidate.string();
  }
  return "";
}

bool writable_directory(const std::string& path) {
  std::error_code ec;
  fs::create_directories(path, ec);
  return access(path.c_str(), W_OK) == 0;
}

// The driver's quoting rule, made total: the driver leaves an argument that
// begins with a double quote as it is and never writes an empty one, nor
// one longer than its limit, while the tools hand on whatever gfortran and
// the linker need, so every argument that is empty or holds a blank, a
// double quote or an apostrophe is quoted, inner double quotes doubled. The
// platform layer splits the line back into exactly these arguments; no
// shell is involved.
std::string command_line(const Args& argv) {
  std::string line;
  for (const std::string& arg : argv) {
    if (!line.empty()) line += ' ';
    if (!arg.empty() && arg.find_first_of(" \"'") == std::string::npos) {
      line += arg;
      continue;
    }
    line += '"';
    for (char c : arg) {
      if (c == '"') line += '"';
      line += c;
    }
    line += '"';
  }
  return line;
}

bool program_found(const std::string& tool, const std::string& program) {
  if (!find_program(program).empty()) return true;
  std::fprintf(stderr, "%s: cannot find the program \"%s\" (is the GNU toolchain installed?)\n", tool.c_str(),
               program.c_str());
  return false;
}

void echo(const std::string& tool, const Args& argv) {
  if (std::getenv("F90_GNU_ECHO")) std::fprintf(stderr, "%s: %s\n", tool.c_str(), command_line(argv).c_str());
  std::fflush(nullptr);
}

bool run(const std::string& tool, const Args& argv) {
  if (argv.empty() || !program_found(tool, argv[0])) return false;
  echo(tool, argv);
  return plat_spawn_and_wait(command_line(argv).c_str()) == 0;
}

bool run_steps_captured(const CompileSteps& steps, const std::string& capture, std::string* captured) {
  auto run_all = [&steps] {
    StepEnvironment environment;
    for (const CompileStep& step : steps) {
      for (const std::string& assignment : step.environment) environment.set(assignment);
      if (plat_spawn_and_wait(command_line(step.command).c_str()) != 0) return false;
    }
    return true;
  };
  int file = open(capture.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  int saved = fcntl(2, F_DUPFD_CLOEXEC, 3);
  if (file < 0 || saved < 0 || dup2(file, 2) < 0) {
    if (file >= 0) close(file);
    if (saved >= 0) close(saved);
    return run_all();
  }
  close(file);
  bool ok = run_all();
  dup2(saved, 2);
  close(saved);
  captured->clear();
  read_text(capture, captured);
  remove_file(capture);
  return ok;
}

void show(const std::string& diagnostics) {
  std::fwrite(diagnostics.data(), 1, diagnostics.size(), stderr);
  std::fflush(stderr);
}

int fail(const std::string& tool, const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", tool.c_str(), message.c_str());
  return 1;
}

PrivateTmpdir::PrivateTmpdir() {
  const char* tmp = std::getenv("TMPDIR");
  had_tmpdir_ = tmp != nullptr;
  if (tmp) saved_ = tmp;
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/olinkXXXXXX";
  if (mkdtemp(pattern.data())) {
    dir_ = pattern;
    setenv("TMPDIR", dir_.c_str(), 1);
  }
}

PrivateTmpdir::~PrivateTmpdir() {
  if (dir_.empty()) return;
  std::error_code ignored;
  fs::remove_all(dir_, ignored);
  if (had_tmpdir_) setenv("TMPDIR", saved_.c_str(), 1); else unsetenv("TMPDIR");
}

}  // namespace gnu
