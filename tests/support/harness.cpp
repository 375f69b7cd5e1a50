#include "tests/support/harness.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

extern char** environ;

Scratch::Scratch() {
  std::string templ = (fs::temp_directory_path() / "f90test-XXXXXX").string();
  if (!mkdtemp(templ.data())) throw std::runtime_error("mkdtemp failed");
  path_ = templ;
}

Scratch::~Scratch() {
  std::error_code ec;
  // Tests may leave read-only files or directories behind; make them
  // writable so everything goes.
  for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::end(it);
       it.increment(ec))
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

std::string Scratch::at(const std::string& rel) const {
  return rel.empty() ? path_ : path_ + "/" + rel;
}

std::string Scratch::write(const std::string& rel, const std::string& content) const {
  std::string full = at(rel);
  fs::create_directories(fs::path(full).parent_path());
  std::ofstream(full, std::ios::binary | std::ios::trunc) << content;
  return full;
}

std::string Scratch::read(const std::string& rel) const { return read_file(at(rel)); }

bool Scratch::exists(const std::string& rel) const {
  std::error_code ec;
  return fs::exists(fs::symlink_status(at(rel), ec));
}

void Scratch::mkdir(const std::string& rel) const { fs::create_directories(at(rel)); }

std::vector<std::string> Scratch::list(const std::string& rel) const {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(at(rel), ec))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string driver_path() {
  const char* p = std::getenv("F90_TEST_DRIVER");
  return p && *p ? p : F90_DRIVER_PATH;
}

namespace {

std::vector<std::string> words_of(const char* variable) {
  std::vector<std::string> words;
  const char* value = std::getenv(variable);
  std::istringstream in(value ? value : "");
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// "\r\n" becomes "\n"; a lone "\r" stays.
std::string text_mode_output(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i)
    if (!(s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')) out += s[i];
  return out;
}

}  // namespace

std::string without_wine_lines(const std::string& err, std::string& wine) {
  // A debug channel's line is "class:channel:function " after the thread id
  // (with the process id and a timestamp in front when WINEDEBUG asks for
  // them); before wine has started up, the class comes first.
  static const std::regex Beginning(
      "^(wine: |wineserver: |wine client error:|Inconsistency detected by ld\\.so: |"
      "( *[0-9]+\\.[0-9]{3}:)?([0-9a-f]{4,}:){0,2}(fixme|err|warn|trace):[^ :]+:[^ ]+ )");
  std::string kept;
  for (size_t at = 0, end; at < err.size(); at = end) {
    end = std::min(err.find('\n', at), err.size() - 1) + 1;
    std::string line = err.substr(at, end - at);
    (std::regex_search(line.substr(0, 200), Beginning) ? wine : kept) += line;
  }
  return kept;
}

RunResult run_driver(const DriverRun& run) {
  static const char* const Cleared[] = {"ORVANE", "ORVANE_BIG_O", "CC", "CXX", "TMPDIR",
                                        "F90_TOOL_MODE", "F90_TOOL_LOG", "F90_TEST_CPU"};
  const bool windows = target_is_windows();
  std::map<std::string, std::string> env;
  for (char** e = environ; *e; ++e) {
    const char* eq = std::strchr(*e, '=');
    if (eq) env[std::string(*e, static_cast<size_t>(eq - *e))] = eq + 1;
  }
  for (const char* name : Cleared) env.erase(name);
  // The wine prefix of the Windows runs takes its TEMP and TMP from
  // F90_WINE_TEMP, which the test scripts set to the prefix's usual one.
  if (!run.temp_dir.empty()) env[windows ? "F90_WINE_TEMP" : "TMPDIR"] = target_path(run.temp_dir);
  if (windows) env.emplace("WINEDEBUG", "-all");
  for (const auto& [name, value] : run.env)
    if (value) env[name] = *value; else env.erase(name);
  std::vector<std::string> env_strings;
  for (const auto& [name, value] : env) env_strings.push_back(name + "=" + value);

  std::string program = run.program.empty() ? driver_path() : run.program;
  // A Windows program runs under wine, a program for another processor
  // under its loader: the program's path follows the loader's words.
  std::vector<std::string> argv_strings =
      windows ? words_of("F90_TEST_WINE") : run.loader.empty() ? words_of("F90_TEST_LOADER") : run.loader;
  if (windows && argv_strings.empty()) argv_strings = {"wine"};
  argv_strings.push_back(program);
  argv_strings.insert(argv_strings.end(), run.args.begin(), run.args.end());

  std::vector<char*> argv, envp;
  for (auto& s : argv_strings) argv.push_back(s.data());
  argv.push_back(nullptr);
  for (auto& s : env_strings) envp.push_back(s.data());
  envp.push_back(nullptr);

  // Output goes to unnamed files, not pipes: processes that the program
  // leaves behind (wineserver, for a few seconds) cannot hold the run open.
  FILE* sinks[2] = {std::tmpfile(), std::tmpfile()};
  if (!sinks[0] || !sinks[1]) throw std::runtime_error("tmpfile failed");
  pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    if (run.interrupt_signal) setpgid(0, 0);
    dup2(fileno(sinks[0]), 1);
    dup2(fileno(sinks[run.err_to_out ? 0 : 1]), 2);
    int devnull = open("/dev/null", O_RDONLY);
    if (devnull >= 0) dup2(devnull, 0);
    if (!run.cwd.empty() && chdir(run.cwd.c_str()) != 0) _exit(126);
    // A name without a slash is searched in this process's PATH.
    execvpe(argv[0], argv.data(), envp.data());
    _exit(127);
  }

  using Clock = std::chrono::steady_clock;
  auto deadline = Clock::now() + std::chrono::seconds(run.timeout_seconds);
  std::optional<Clock::time_point> interrupt_at;
  bool interrupt_pending = run.interrupt_signal != 0, timed_out = false;
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (interrupt_pending && !interrupt_at &&
        read_file(run.interrupt_file).find(run.interrupt_text) != std::string::npos)
      interrupt_at = Clock::now() + std::chrono::milliseconds(500);
    if (interrupt_pending && interrupt_at && Clock::now() >= *interrupt_at) {
      kill(run.interrupt_group ? -pid : pid, run.interrupt_signal);
      interrupt_pending = false;
    }
    if (Clock::now() >= deadline) {
      timed_out = true;
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  RunResult result;
  std::string* texts[2] = {&result.out, &result.err};
  for (int i = 0; i < 2; ++i) {
    std::rewind(sinks[i]);
    char buf[65536];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, sinks[i])) > 0;) texts[i]->append(buf, n);
    std::fclose(sinks[i]);
  }
  result.status = timed_out ? -2 : WIFEXITED(status) ? WEXITSTATUS(status)
                                 : WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
  if (windows) {
    result.out = text_mode_output(result.out);
    result.err = text_mode_output(result.err);
    std::string& err = run.err_to_out ? result.out : result.err;
    err = without_wine_lines(err, result.wine);
  }
  return result;
}

bool target_is_windows() {
  const char* t = std::getenv("F90_TEST_TARGET");
  return t && std::strcmp(t, "win32") == 0;
}

char target_sep() { return target_is_windows() ? '\\' : '/'; }

std::string target_exe() { return target_is_windows() ? ".exe" : ""; }

std::string target_path(const std::string& host_path) {
  if (!target_is_windows()) return host_path;
  std::string p = host_path;
  std::replace(p.begin(), p.end(), '/', '\\');
  return host_path.empty() || host_path[0] != '/' ? p : "Z:" + p;
}

std::string target_system_temp() {
  const char* wine_temp = std::getenv("F90_WINE_TEMP");
  return target_is_windows() ? std::string(wine_temp ? wine_temp : "") + "\\" : "/tmp/";
}

std::string target_text(const std::string& file_content) {
  return target_is_windows() ? text_mode_output(file_content) : file_content;
}

std::string X(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 5, "{exe}") == 0) {
      out += target_exe();
      i += 4;
    } else {
      out += text[i] == '/' ? target_sep() : text[i];
    }
  }
  return out;
}

std::string temp_dir_echo(const std::string& lines, const std::string& dir) {
  return "mkdir " + dir + "\n" + lines + "del " + dir + "*.*\nrmdir " + dir + "\n";
}

Suite::Suite() : temp_prefix(target_path(scratch.at("tmp")) + target_sep()) {
  scratch.mkdir("inst/bin");
  scratch.mkdir("work");
  scratch.mkdir("tmp");
  const char* standins = std::getenv("F90_TEST_STANDINS");
  for (const char* tool : {"ftfront", "ixform", "ocgen", "OCC", "olink"}) {
    std::string name = std::string(tool) + target_exe();
    fs::copy_file((standins && *standins ? standins : F90_STANDINS_DIR) + ("/" + name), scratch.at("inst/bin/" + name));
  }
}

void Suite::sources(std::initializer_list<std::string> rels) const {
  for (const std::string& rel : rels) scratch.write("work/" + rel, "      end\n");
}

RunResult Suite::run(std::vector<std::string> args,
                     std::map<std::string, std::optional<std::string>> env) const {
  return run_driver(prepare(std::move(args), std::move(env)));
}

DriverRun Suite::prepare(std::vector<std::string> args,
                         std::map<std::string, std::optional<std::string>> env) const {
  scratch.write("tools.log", "");  // each run's own record
  DriverRun r;
  r.args = std::move(args);
  r.cwd = work();
  r.env["ORVANE"] = target_path(install());
  r.temp_dir = tmp();
  r.env["F90_TOOL_LOG"] = target_path(scratch.at("tools.log"));
  if (target_is_windows()) {
    // wine puts WINEPATH in front of the Windows PATH it makes.
    r.env["WINEPATH"] = target_path(scratch.at("inst/bin"));
  } else {
    const char* path = std::getenv("PATH");
    r.env["PATH"] = scratch.at("inst/bin") + ":" + (path ? path : "/usr/bin:/bin");
  }
  for (auto& [name, value] : env) r.env[name] = value;
  return r;
}

std::string Suite::normalize(const std::string& text) const {
  std::string out = text;
  std::string inst = target_path(install());
  for (size_t at; (at = out.find(inst)) != std::string::npos;) out.replace(at, inst.size(), "I");
  std::string temp = temp_prefix + "Orv";
  for (size_t at; (at = out.find(temp)) != std::string::npos;) {
    size_t end = out.find(target_sep(), at + temp.size());
    if (end == std::string::npos) break;
    out.replace(at, end + 1 - at, "T");
  }
  return out;
}

std::vector<std::string> Suite::log(const std::string& kinds) const {
  std::vector<std::string> out;
  std::istringstream in(scratch.read("tools.log"));
  for (std::string line; std::getline(in, line);) {
    // "<kind>\t<tool>\t<text>"
    size_t tab1 = line.find('\t'), tab2 = line.find('\t', tab1 + 1);
    std::string kind = line.substr(0, tab1), text = normalize(line.substr(tab2 + 1));
    if (tab1 == std::string::npos || tab2 == std::string::npos || kinds.find(kind) == std::string::npos)
      continue;
    if (kind == "CMD" || kinds == "RSP") {
      out.push_back(text);
    } else if (!out.empty() && out.back().rfind(" @") != std::string::npos) {
      out.back() = out.back().substr(0, out.back().rfind(" @")) + text;
    }
  }
  return out;
}

RunResult Suite::run_interrupted(std::vector<std::string> args, const std::string& tool,
                                 int signal, bool group) const {
  DriverRun run = prepare(std::move(args), {{"F90_TOOL_SLEEP", tool + "=5000"}});
  run.interrupt_signal = signal;
  run.interrupt_group = group;
  run.interrupt_file = scratch.at("tools.log");
  run.interrupt_text = "\t" + tool + "\t";
  return run_driver(run);
}
