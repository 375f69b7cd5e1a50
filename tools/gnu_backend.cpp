// The GNU mode of the stand-in tools: choosing it, and running each tool's
// plan (gnu_compile.cpp and gnu_link.cpp make the plans).
#include "tools/gnu_backend.h"

#ifdef _WIN32

bool gnu_mode_selected(const char*) { return false; }

int gnu_backend_run(const std::string&, const std::vector<std::string>&) { return 1; }

#else

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <map>
#include <optional>
#include <fstream>
#include <sstream>

#include "platform/platform.h"
#include "tools/gnu_tools.h"

namespace fs = std::filesystem;

namespace gnu {

bool read_text(const std::string& path, std::string* text) {
  if (!is_file(path)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  *text = s.str();
  return !in.bad();
}

bool write_text(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  return static_cast<bool>(out);
}

namespace {

// The program named by `variable`, else the GNU program `name` of the target.
std::string program_from_env(const char* variable, const char* name) {
  const char* value = std::getenv(variable);
  if (value && *value) return value;
  std::string triple = target();
  return triple.empty() ? name : triple + "-" + name;
}

// The file "gnu-mode" beside the running tool, or "" when the tool cannot
// tell where it lies (the current directory is the user's, not the
// installation's).
std::string mode_marker(const char* argv0) {
  char self[4096];
  std::string exe = plat_executable_path(self, sizeof self) ? self : (argv0 ? argv0 : "");
  size_t slash = exe.rfind('/');
  return slash == std::string::npos ? "" : exe.substr(0, slash + 1) + "gnu-mode";
}

}  // namespace

std::string target() {
  if (const char* chosen = std::getenv("F90_GNU_TARGET")) return chosen;
  std::string text;
  if (!read_text(mode_marker(nullptr), &text)) return "";
  size_t end = text.find_last_not_of(" \t\r\n");
  return end == std::string::npos ? "" : text.substr(0, end + 1);
}

bool windows_target() { return ends_with(target(), "-w64-mingw32"); }

std::string fortran_compiler() { return program_from_env("F90_GNU_FC", "gfortran"); }
std::string c_compiler() { return program_from_env("F90_GNU_CC", "gcc"); }
std::string cxx_compiler() { return program_from_env("F90_GNU_CXX", "g++"); }
std::string archiver() { return program_from_env("F90_GNU_AR", "ar"); }
std::string dlltool() { return program_from_env("F90_GNU_DLLTOOL", "dlltool"); }

std::string absolute_path(const std::string& path) {
  std::string full = (path.empty() ? fs::current_path() : fs::absolute(path)).lexically_normal().string();
  while (full.size() > 1 && full.back() == '/') full.pop_back();
  return full;
}

bool is_file(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}

bool is_directory(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

std::string source_stamp(const std::string& path) {
  std::error_code ec;
  fs::file_time_type time = fs::last_write_time(path, ec);
  if (ec) return "";
  uintmax_t size = fs::file_size(path, ec);
  if (ec) return "";
  return std::to_string(size) + " " + std::to_string(time.time_since_epoch().count());
}

std::string suffix_of(const std::string& path) {
  size_t slash = path.rfind('/');
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  return path.substr(dot + 1);
}

std::string find_program(const std::string& program) {
  if (program.find('/') != std::string::npos) return is_file(program) ? program : "";
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  size_t start = 0;
  for (;;) {
    size_t colon = dirs.find(':', start);
    std::string dir = dirs.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
    std::error_code ec;
    fs::path candidate = fs::path(dir.empty() ? "." : dir) / program;
    fs::file_status st = fs::status(candidate, ec);
    if (!ec && fs::is_regular_file(st) &&
        (st.permissions() & (fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec)) !=
            fs::perms::none)
      return candidate.string();
    if (colon == std::string::npos) return "";
    start = colon + 1;
  }
}

namespace {

// The driver's quoting rule, which the platform layer splits back into
// exactly these arguments; no shell is involved.
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

// Reports a program that is not there, so that a missing toolchain is not a
// silent failure.
bool program_found(const std::string& tool, const std::string& program) {
  if (!find_program(program).empty()) return true;
  std::fprintf(stderr, "%s: cannot find the program \"%s\" (is the GNU toolchain installed?)\n", tool.c_str(),
               program.c_str());
  return false;
}

// With F90_GNU_ECHO, shows a command about to run.
void echo(const std::string& tool, const Args& argv) {
  if (std::getenv("F90_GNU_ECHO")) std::fprintf(stderr, "%s: %s\n", tool.c_str(), command_line(argv).c_str());
  std::fflush(nullptr);
}

// Runs a command; true when it ended with status 0.
bool run(const std::string& tool, const Args& argv) {
  if (argv.empty() || !program_found(tool, argv[0])) return false;
  echo(tool, argv);
  return plat_spawn_and_wait(command_line(argv).c_str()) == 0;
}

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

// Runs a command with its standard error captured; gfortran colours what
// it prints only on a terminal: when ours is one, it is asked to all the
// same. The front end's compile goes as gfortran's own steps when it can.
bool run_captured(const std::string& tool, Args argv, const std::string& capture, std::string* captured,
                  bool compile = false) {
  const char* term = std::getenv("TERM");
  if (isatty(2) && term && std::strcmp(term, "dumb") != 0)
    argv.insert(argv.begin() + 1, "-fdiagnostics-color=always");
  echo(tool, argv);
  if (compile) {
    DirectResult direct = compile_directly(argv, capture, captured);
    if (direct != DirectResult::NotTried) return direct == DirectResult::Compiled;
  }
  return run_steps_captured({{{}, argv}}, capture, captured);
}

void show(const std::string& diagnostics) {
  std::fwrite(diagnostics.data(), 1, diagnostics.size(), stderr);
  std::fflush(stderr);
}

// Makes `from` the file `to`: renamed, or copied across file systems.
bool move_file(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::rename(from, to, ec);
  if (!ec) return true;
  if (!fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec)) return false;
  fs::remove(from, ec);
  return true;
}

int fail(const std::string& tool, const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", tool.c_str(), message.c_str());
  return 1;
}

std::optional<Unit> read_unit(const std::string& tool, UnitKind kind, const std::string& path) {
  std::string text;
  if (!read_text(path, &text)) {
    fail(tool, "cannot read " + path);
    return std::nullopt;
  }
  std::optional<Unit> unit = parse_unit(kind, text);
  if (!unit)
    fail(tool, path + " is not a " + (kind == UnitKind::FrontEnd ? "front-end" : "transformer") +
                   " file of the GNU-backed tools");
  return unit;
}

}  // namespace

bool writable_directory(const std::string& path) {
  std::error_code ec;
  fs::create_directories(path, ec);
  return access(path.c_str(), W_OK) == 0;
}

bool run_steps_captured(const CompileSteps& steps, const std::string& capture, std::string* captured) {
  auto run = [&steps] {
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
    return run();
  }
  close(file);
  bool ok = run();
  dup2(saved, 2);
  close(saved);
  captured->clear();
  read_text(capture, captured);
  std::error_code ignored;
  fs::remove(capture, ignored);
  return ok;
}

namespace {

int front_end(const Args& args) {
  std::string error;
  std::optional<FrontEndPlan> plan = plan_front_end(args, &error);
  if (!plan) return fail("ftfront", error);
  for (const std::string& w : plan->warnings) std::fprintf(stderr, "ftfront: warning: %s\n", w.c_str());
  Unit& unit = plan->unit;
  if (plan->check_only) {
    if (!run("ftfront", plan->check)) return 1;
  } else if (!program_found("ftfront", fortran_compiler())) {
    return 1;
  } else {
    // The flags the code generator added for the source before this one,
    // else those it added in an earlier run that gave the front end the
    // same, else the guess.
    Args later = plan->guessed_later_flags;
    std::string text;
    std::optional<Args> learnt;
    if (read_text(later_flags_file(plan->output), &text)) learnt = parse_flag_list(text);
    if (!learnt || !plausible_later_flags(*learnt)) learnt = recall_later_flags(unit.learnt_key);
    if (learnt) later = *learnt;
    std::string object = absolute_path(front_end_object(plan->output));
    std::string capture = plan->output + ".diagnostics", diagnostics;
    unit.stamp = source_stamp(source_argument(unit));
    if (run_captured("ftfront", compile_command(unit, later, object), capture, &diagnostics, true)) {
      unit.object = object;
      unit.object_flags = later;
      unit.diagnostics = diagnostics;
    } else {
      // Whether the source passes is the check's answer alone (a compile
      // may also fail at an optimisation level that the run does not use).
      std::error_code ignored;
      fs::remove(object, ignored);
      if (!run_captured("ftfront", plan->check, capture, &diagnostics)) {
        show(diagnostics);
        return 1;
      }
      // It passes: the code generator compiles and shows what gfortran says.
    }
  }
  if (!write_text(plan->output, format_unit(UnitKind::FrontEnd, unit)))
    return fail("ftfront", "cannot write " + plan->output);
  return 0;
}

int transformer(const Args& args) {
  std::string error;
  std::optional<TransformPlan> plan = plan_transformer(args, &error);
  if (!plan) return fail("ixform", error);
  std::optional<Unit> unit = read_unit("ixform", UnitKind::FrontEnd, plan->input);
  if (!unit) return 1;
  apply_transformer_flags(plan->flags, &*unit);
  if (!write_text(plan->output, format_unit(UnitKind::Transformed, *unit)))
    return fail("ixform", "cannot write " + plan->output);
  return 0;
}

int code_generator(const Args& args) {
  std::string error;
  std::optional<CodeGenArgs> parsed = parse_code_generator_args(args, &error);
  if (!parsed) return fail("ocgen", error);
  std::optional<Unit> unit = read_unit("ocgen", UnitKind::Transformed, parsed->input);
  if (!unit) return 1;
  Args later = code_generator_later_flags(*parsed, *unit);
  // For the front end of the next source; a file that cannot be written only costs time.
  std::string learnt = later_flags_file(parsed->input), text;
  if (!read_text(learnt, &text) || text != format_flag_list(later))
    write_text(learnt, format_flag_list(later));
  remember_later_flags(unit->learnt_key, later);
  if (!unit->object.empty()) {
    if (front_end_object_fits(*unit, later, source_stamp(source_argument(*unit))) &&
        is_file(unit->object) && move_file(unit->object, parsed->object)) {
      show(unit->diagnostics);
      return 0;
    }
    std::error_code ignored;
    fs::remove(unit->object, ignored);
  }
  return run("ocgen", compile_command(*unit, later, parsed->object)) ? 0 : 1;
}

int c_compiler_tool(const Args& args) {
  std::string error;
  std::optional<Plan> plan = plan_c_compiler(args, &error);
  if (!plan) return fail("OCC", error);
  return run("OCC", plan->command) ? 0 : 1;
}

// Removes what a failed link made, so that nothing half-made is left.
int failed_link(const LinkPlan& plan) {
  std::error_code ignored;
  for (const std::string& made : plan.made) fs::remove(made, ignored);
  return 1;
}

// A temporary directory of the tool's own, made the children's TMPDIR until
// it goes: the MinGW-w64 dlltool leaves empty temporary files behind.
class PrivateTemp {
 public:
  PrivateTemp() {
    const char* tmp = std::getenv("TMPDIR");
    if (tmp) saved_ = tmp;
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/olinkXXXXXX";
    if (mkdtemp(pattern.data())) {
      dir_ = pattern;
      setenv("TMPDIR", dir_.c_str(), 1);
    }
  }
  ~PrivateTemp() {
    if (dir_.empty()) return;
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
    if (saved_) setenv("TMPDIR", saved_->c_str(), 1); else unsetenv("TMPDIR");
  }
  PrivateTemp(const PrivateTemp&) = delete;
  PrivateTemp& operator=(const PrivateTemp&) = delete;

 private:
  std::optional<std::string> saved_;
  std::string dir_;
};

int linker(const Args& args) {
  std::string error;
  std::optional<LinkPlan> plan = plan_link(args, &error);
  if (!plan) return fail("olink", error);
  std::optional<PrivateTemp> temp;
  if (!plan->before.empty() || !plan->after.empty() || !plan->list_exports.empty()) temp.emplace();
  for (const std::string& w : plan->warnings) std::fprintf(stderr, "olink: warning: %s\n", w.c_str());
  std::error_code ec;
  if (!plan->remove_before.empty()) fs::remove(plan->remove_before, ec);
  bool linked = true;
  for (const auto& copy : plan->copies)
    if (linked && !fs::copy_file(copy.first, copy.second, fs::copy_options::overwrite_existing, ec))
      linked = fail("olink", "cannot write " + copy.second) == 0;
  for (const Args& step : plan->before) linked = linked && run("olink", step);
  linked = linked && run("olink", plan->command);
  for (const Args& step : plan->after) linked = linked && run("olink", step);
  for (const std::string& file : plan->scratch) fs::remove(file, ec);
  if (!linked) return failed_link(*plan);
  if (plan->exports_file.empty() || fs::exists(fs::symlink_status(plan->exports_file, ec))) return 0;
  if (!plan->list_exports.empty()) return run("olink", plan->list_exports) ? 0 : failed_link(*plan);
  if (!write_text(plan->exports_file, "; every global symbol of the library is exported\n"))
    return fail("olink", "cannot write " + plan->exports_file);
  return 0;
}

}  // namespace
}  // namespace gnu

bool gnu_mode_selected(const char* argv0) {
  const char* mode = std::getenv("F90_TOOL_MODE");
  if (mode && *mode) return std::strcmp(mode, "gnu") == 0;
  return gnu::is_file(gnu::mode_marker(argv0));
}

int gnu_backend_run(const std::string& tool, const std::vector<std::string>& args) {
  try {
    if (tool == "ftfront") return gnu::front_end(args);
    if (tool == "ixform") return gnu::transformer(args);
    if (tool == "ocgen") return gnu::code_generator(args);
    if (tool == "OCC") return gnu::c_compiler_tool(args);
    if (tool == "olink") return gnu::linker(args);
    return gnu::fail(tool, "not a tool of the suite");
  } catch (const std::exception& e) {
    return gnu::fail(tool, e.what());
  }
}

#endif
