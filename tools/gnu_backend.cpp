// The GNU mode of the stand-in tools: choosing it, and running each tool's
// plan (gnu_compile.cpp and gnu_link.cpp make the plans).
#include "tools/gnu_backend.h"

#ifdef _WIN32

bool gnu_mode_selected(const char*) { return false; }

int gnu_backend_run(const std::string&, const std::vector<std::string>&) { return 1; }

#else

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/platform.h"
#include "tools/gnu_tools.h"

namespace fs = std::filesystem;

namespace gnu {
namespace {

std::string program_from_env(const char* variable, const char* fallback) {
  const char* value = std::getenv(variable);
  return value && *value ? value : fallback;
}

}  // namespace

std::string fortran_compiler() { return program_from_env("F90_GNU_FC", "gfortran"); }
std::string c_compiler() { return program_from_env("F90_GNU_CC", "gcc"); }
std::string cxx_compiler() { return program_from_env("F90_GNU_CXX", "g++"); }
std::string archiver() { return program_from_env("F90_GNU_AR", "ar"); }

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

std::string suffix_of(const std::string& path) {
  size_t slash = path.rfind('/');
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  return path.substr(dot + 1);
}

namespace {

// The program a command names, found the way posix_spawnp will find it.
bool program_exists(const std::string& program) {
  if (program.find('/') != std::string::npos) return is_file(program);
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
      return true;
    if (colon == std::string::npos) return false;
    start = colon + 1;
  }
}

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

// Runs a command; true when it ended with status 0. A program that is not
// there is reported, so that a missing toolchain is not a silent failure.
bool run(const std::string& tool, const Args& argv) {
  if (argv.empty()) return false;
  if (!program_exists(argv[0])) {
    std::fprintf(stderr, "%s: cannot find the program \"%s\" (is the GNU toolchain installed?)\n",
                 tool.c_str(), argv[0].c_str());
    return false;
  }
  if (std::getenv("F90_GNU_ECHO")) std::fprintf(stderr, "%s: %s\n", tool.c_str(), command_line(argv).c_str());
  std::fflush(nullptr);
  return plat_spawn_and_wait(command_line(argv).c_str()) == 0;
}

int fail(const std::string& tool, const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", tool.c_str(), message.c_str());
  return 1;
}

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

int front_end(const Args& args) {
  std::string error;
  std::optional<FrontEndPlan> plan = plan_front_end(args, &error);
  if (!plan) return fail("ftfront", error);
  for (const std::string& w : plan->warnings) std::fprintf(stderr, "ftfront: warning: %s\n", w.c_str());
  if (!run("ftfront", plan->check)) return 1;
  if (!write_text(plan->output, format_unit(UnitKind::FrontEnd, plan->unit)))
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
  return run("ocgen", code_generator_command(*parsed, *unit)) ? 0 : 1;
}

int c_compiler_tool(const Args& args) {
  std::string error;
  std::optional<Plan> plan = plan_c_compiler(args, &error);
  if (!plan) return fail("OCC", error);
  return run("OCC", plan->command) ? 0 : 1;
}

int linker(const Args& args) {
  std::string error;
  std::optional<LinkPlan> plan = plan_link(args, &error);
  if (!plan) return fail("olink", error);
  for (const std::string& w : plan->warnings) std::fprintf(stderr, "olink: warning: %s\n", w.c_str());
  if (!plan->remove_before.empty()) {
    std::error_code ignored;
    fs::remove(plan->remove_before, ignored);
  }
  if (!run("olink", plan->command)) return 1;
  std::error_code ec;
  if (!plan->exports_file.empty() && !fs::exists(fs::symlink_status(plan->exports_file, ec)) &&
      !write_text(plan->exports_file, "; every global symbol of the library is exported\n"))
    return fail("olink", "cannot write " + plan->exports_file);
  return 0;
}

}  // namespace
}  // namespace gnu

bool gnu_mode_selected(const char* argv0) {
  const char* mode = std::getenv("F90_TOOL_MODE");
  if (mode && *mode) return std::strcmp(mode, "gnu") == 0;
  char self[4096];
  std::string exe = plat_executable_path(self, sizeof self) ? self : (argv0 ? argv0 : "");
  // Without a directory of its own the tool cannot tell where it lies; the
  // current directory is the user's, not the installation's.
  size_t slash = exe.rfind('/');
  if (slash == std::string::npos) return false;
  return gnu::is_file(exe.substr(0, slash + 1) + "gnu-mode");
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
