#include "driver/startup.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "driver/exit.h"
#include "driver/settings.h"
#include "pipeline/temp_dir.h"
#include "platform/platform.h"

namespace {

[[noreturn]] void no_install_dir() {
  fail("Can't find the orvane directory.\n"
       "Please set the ORVANE environment variable and try again.\n");
}

bool is_sep(char c) { return c == '\\' || c == '/'; }

// Index of the last '\' or '/' in s[0..len), or -1.
long last_sep(const char* s, size_t len) {
  for (size_t i = len; i > 0; --i)
    if (is_sep(s[i - 1])) return static_cast<long>(i - 1);
  return -1;
}

// Cuts s at its last separator together with the run of separators in front
// of it; false when there is none.
bool cut_at_last_sep(std::string& s) {
  long at = last_sep(s.data(), s.size());
  if (at < 0) return false;
  size_t end = static_cast<size_t>(at);
  while (end > 0 && is_sep(s[end - 1])) --end;
  s.resize(end);
  return true;
}

char* copy_text(const std::string& s) {
  char* p = static_cast<char*>(checked_malloc(s.size() + 1));
  std::memcpy(p, s.c_str(), s.size() + 1);
  return p;
}

}  // namespace

void init_flag_lists() {
  CPreprocessorFlags = arglist_create();
  FrontEndFlags = arglist_create();
  TransformerFlags = arglist_create();
  CodeGenFlags = arglist_create();
  CCompilerFlags = arglist_create();
  LinkOptions = arglist_create();
  LinkObjects = arglist_create();
  LinkLibraries = arglist_create();
  arglist_append(CodeGenFlags, "-N61");
}

const char* find_install_dir() {
  if (InstallDir) return InstallDir;
  const char* env = std::getenv("ORVANE");
  if (env && *env) {
    InstallDir = copy_text(env);
  } else {
    char exe[4096];
    size_t len = plat_executable_path(exe, sizeof exe);
    if (len == 0) no_install_dir();
    std::string dir(exe, len);
    if (!cut_at_last_sep(dir)) no_install_dir();  // the driver's directory
    if (!cut_at_last_sep(dir)) no_install_dir();  // its parent
    dir += PathSep;
    InstallDir = copy_text(dir);
    plat_setenv("ORVANE", InstallDir);
  }
  if (std::strlen(InstallDir) > static_cast<size_t>(InstallDirMax))
    fail("The ORVANE environment variable is set to a path that exceeds the maximum\n"
         "length specified by the system.  Please change it and try again.\n");
  return InstallDir;
}

const char* tool_suffix_for(const char* name) {
  size_t len = std::strlen(name);
  if (len > 6 && std::strcmp(name + len - 6, "_x.exe") == 0) return "_x";
  if (len >= 3 && std::strcmp(name + len - 2, "_x") == 0) return "_x";
  return "";
}

void driver_startup(ArgList* args) {
  plat_install_interrupt_handler(console_ctrl_handler);
  find_install_dir();
  const ArgNode* program = arglist_first(args);
  std::strcpy(ToolSuffix, tool_suffix_for(program ? argnode_value(program) : ""));
}

void require_install_dir_at_most(unsigned max) {
  if (std::strlen(InstallDir) > max)
    fail("The ORVANE directory is set to a path that is too long.\n"
         "Please check your ORVANE environment variable and try again.\n");
}

std::string install_file(std::initializer_list<const char*> parts) {
  std::string path = InstallDir;
  for (const char* part : parts) {
    path += PathSep;
    path += part;
  }
  return path;
}

char* install_path(const char* name) { return copy_text(install_file({name})); }

void print_release_info() {
  require_install_dir_at_most(240);
  char* path = install_path("orvane_release.txt");
  FILE* f = std::fopen(path, "r");
  std::free(path);
  if (!f) return;
  char piece[1024];
  size_t n;
  while ((n = std::fread(piece, 1, sizeof piece, f)) > 0) std::fwrite(piece, 1, n, stdout);
  std::fclose(f);
  std::fflush(stdout);
}

void exit_cleanup() { remove_temp_dir(); }

void console_ctrl_handler() { driver_exit(1); }
