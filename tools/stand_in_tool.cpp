// Stand-in for the suite's tools. One program, installed under the names
// ftfront, ixform, ocgen, OCC and olink (a "_x" before the suffix is allowed):
// it keeps the tools' contracts as the driver relies on them and records what
// it was given, so that tests can compare the exact command lines.
//
//   ftfront  <flags> -F<bif> <source>          writes <bif>
//   ixform   <flags> -o <int> <bif>            writes <int>
//   ocgen    <flags> -o <obj> -i <int>         writes <obj>
//   OCC      -A|-c++ <flags> -c <src> -o <obj> writes <obj>
//   olink    <options> <objects> <libraries>   writes the -out: file, and in
//            library mode ("-lib") the -exports: list as well
// ftfront and olink also take a single "@file" argument holding the rest.
//
// Environment, for tests:
//   F90_TOOL_LOG=<file>      appends "CMD\t<tool>\t<command line>\n" per run and,
//                            for a response file, "RSP\t<tool>\t<its line>\n"
//   F90_TOOL_FAIL=<tool>=<status>[,...]    ends with that status (after writing
//                            its output, so that the driver must delete it)
//   F90_TOOL_SLEEP=<tool>=<ms>[,...]       sleeps before doing anything else
//   F90_TOOL_SIGNAL=<tool>=<signal>[,...]  kills itself with that signal (POSIX)
//   F90_TOOL_READONLY=<tool>=1[,...]       leaves its output file read-only
// In the GNU mode (F90_TOOL_MODE=gnu, or a "gnu-mode" file beside the tool)
// the tools really compile and link instead; see gnu/gnu.h.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#endif

#include "driver/arglist.h"
#include "platform/command_split.h"
#include "tools/gnu/files.h"
#include "tools/gnu/gnu.h"

namespace {

std::string tool_name(const char* argv0) {
  std::string name = argv0;
  size_t sep = name.find_last_of("\\/");
  if (sep != std::string::npos) name.erase(0, sep + 1);
  if (name.size() > 4) {
    std::string tail = name.substr(name.size() - 4);
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (tail == ".exe") name.resize(name.size() - 4);
  }
  if (name.size() > 2 && name.compare(name.size() - 2, 2, "_x") == 0) name.resize(name.size() - 2);
  return name;
}

#ifndef _WIN32
// The driver's quoting rule (quote_argument), for rebuilding from argv the
// command line the driver wrote; without the driver's length limit, which
// the driver has already enforced.
std::string quoted(const std::string& arg) {
  if (arg.find_first_of(" \"'") == std::string::npos || arg[0] == '"') return arg;
  std::string q = "\"";
  for (char c : arg) {
    if (c == '"') q += '"';
    q += c;
  }
  return q + "\"";
}
#endif

std::vector<std::string> split(const std::string& line) {
  ArgList* list = arglist_create();
  plat_split_command_line(line.c_str(), list);
  std::vector<std::string> out;
  for (ArgNode* n = arglist_first(list); n; n = argnode_next(n)) out.emplace_back(argnode_value(n));
  arglist_destroy(list);
  return out;
}

// The value given for this tool in a "<tool>=<value>,..." variable, or null.
const char* setting_for(const char* variable, const std::string& tool, std::string& value) {
  const char* all = std::getenv(variable);
  if (!all) return nullptr;
  std::string text = all;
  size_t at = 0;
  while (at <= text.size()) {
    size_t end = text.find(',', at);
    if (end == std::string::npos) end = text.size();
    std::string item = text.substr(at, end - at);
    size_t eq = item.find('=');
    if (eq != std::string::npos && item.substr(0, eq) == tool) {
      value = item.substr(eq + 1);
      return value.c_str();
    }
    at = end + 1;
  }
  return nullptr;
}

void append_log(const std::string& record) {
  const char* log = std::getenv("F90_TOOL_LOG");
  if (!log || !*log) return;
  FILE* f = std::fopen(log, "ab");
  if (!f) return;
  std::fwrite(record.data(), 1, record.size(), f);
  std::fclose(f);
}

bool MakeReadOnly = false;

void make_read_only(const std::string& path) {
#ifdef _WIN32
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
#else
  chmod(path.c_str(), 0444);
#endif
}

bool write_file(const std::string& path, const std::string& content) {
  if (!gnu::write_text(path, content)) {
    std::fprintf(stderr, "stand-in: cannot write %s\n", path.c_str());
    return false;
  }
  if (MakeReadOnly) make_read_only(path);
  return true;
}

void sleep_ms(long ms) {
#ifdef _WIN32
  Sleep(static_cast<DWORD>(ms));
#else
  struct timespec ts = {ms / 1000, (ms % 1000) * 1000000L};
  while (nanosleep(&ts, &ts) != 0) {
  }
#endif
}

// The value after `flag` ("-o"), or empty.
std::string after(const std::vector<std::string>& args, const char* flag) {
  for (size_t i = 0; i + 1 < args.size(); ++i)
    if (args[i] == flag) return args[i + 1];
  return std::string();
}

// Last argument that begins with `prefix`, without the prefix; empty if none.
std::string glued(const std::vector<std::string>& args, const char* prefix) {
  std::string value;
  size_t len = std::strlen(prefix);
  for (const std::string& a : args)
    if (a.compare(0, len, prefix) == 0) value = a.substr(len);
  return value;
}

bool has(const std::vector<std::string>& args, const char* flag) {
  for (const std::string& a : args)
    if (a == flag) return true;
  return false;
}

// Writes the files the tool must leave; false when one cannot be written.
bool write_outputs(const std::string& tool, const std::vector<std::string>& args,
                   const std::string& line) {
  std::string content = tool + " output of: " + line + "\n";
  if (tool == "ftfront") {
    std::string bif = glued(args, "-F");
    return bif.empty() || write_file(bif, content);
  }
  if (tool == "ixform" || tool == "ocgen" || tool == "OCC") {
    std::string out = after(args, "-o");
    return out.empty() || write_file(out, content);
  }
  if (tool == "olink") {
    std::string out = glued(args, "-out:");
    if (!out.empty() && !write_file(out, content)) return false;
    std::string exports = glued(args, "-exports:");
    if (has(args, "-lib") && !exports.empty()) return write_file(exports, "EXPORTS\n");
    return true;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::string tool = tool_name(argc > 0 ? argv[0] : "tool");
#ifdef _WIN32
  std::string line = GetCommandLineA();
  std::vector<std::string> args = split(line);
  if (!args.empty()) args.erase(args.begin());
#else
  std::string line;
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i) {
    if (i > 0) {
      line += ' ';
      args.emplace_back(argv[i]);
    }
    line += quoted(argv[i]);
  }
#endif
  std::string record = "CMD\t" + tool + "\t" + line + "\n";

  if (args.size() == 1 && args[0].size() > 1 && args[0][0] == '@') {
    std::string text;
    if (!gnu::read_text(args[0].substr(1), &text)) {
      append_log(record);
      std::fprintf(stderr, "%s: cannot read response file %s\n", tool.c_str(), args[0].c_str() + 1);
      return 2;
    }
    std::string rsp = text;
    while (!rsp.empty() && (rsp.back() == '\n' || rsp.back() == '\r')) rsp.pop_back();
    record += "RSP\t" + tool + "\t" + rsp + "\n";
    args = split(rsp);
  }
  append_log(record);
  if (gnu_mode_selected(argc > 0 ? argv[0] : nullptr)) return gnu_backend_run(tool, args);

  std::string value;
  if (setting_for("F90_TOOL_SLEEP", tool, value)) sleep_ms(std::atol(value.c_str()));
  MakeReadOnly = setting_for("F90_TOOL_READONLY", tool, value) != nullptr;
  if (!write_outputs(tool, args, line)) return 3;
#ifndef _WIN32
  if (setting_for("F90_TOOL_SIGNAL", tool, value)) {
    int sig = std::atoi(value.c_str());
    signal(sig, SIG_DFL);
    raise(sig);
  }
#endif
  if (setting_for("F90_TOOL_FAIL", tool, value)) return std::atoi(value.c_str());
  return 0;
}
