// POSIX implementation of the platform layer.
#include <dirent.h>
#include <errno.h>
#include <pthread.h>
#include <setjmp.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "driver/arglist.h"
#include "platform/command_split.h"
#include "platform/fault_injection.h"
#include "platform/platform.h"

extern char** environ;

// readdir() and lstat() of 32-bit builds fail with EOVERFLOW on large inode
// numbers and directory offsets unless they are 64 bits wide.
static_assert(sizeof(off_t) == 8 && sizeof(ino_t) == 8, "build with _FILE_OFFSET_BITS=64");

size_t plat_executable_path(char* buf, size_t cap) {
  if (cap == 0) return 0;
  ssize_t n = readlink("/proc/self/exe", buf, cap - 1);
  // readlink cuts silently: a result that fills the buffer may be cut, and a
  // cut path would name some other directory.
  if (n <= 0 || static_cast<size_t>(n) >= cap - 1) {
    buf[0] = '\0';
    return 0;
  }
  buf[n] = '\0';
  return static_cast<size_t>(n);
}

void plat_setenv(const char* name, const char* value) { setenv(name, value, 1); }

// ---------------------------------------------------------------------------
// File search with the wildcards '*' and '?' in the last component, as the
// Windows directory search offers them.

namespace {

bool wildcard_match(const char* pat, const char* name) {
  // Iterative matcher with one back-tracking point: linear in practice.
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*name) {
    if (*pat == '?' || (*pat != '*' && *pat == *name)) {
      ++pat;
      ++name;
    } else if (*pat == '*') {
      star = pat++;
      resume = name;
    } else if (star) {
      pat = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*pat == '*') ++pat;
  return *pat == '\0';
}

bool has_wildcards(const char* s) { return std::strpbrk(s, "*?") != nullptr; }

// Calls `found(name)` for every match of `pattern`, in sorted order; stops
// early when `found` returns false.
template <typename F>
void search(const char* pattern, F found) {
  const char* slash = std::strrchr(pattern, '/');
  std::string dir = slash ? std::string(pattern, slash - pattern + 1) : std::string();
  const char* last = slash ? slash + 1 : pattern;
  if (*last == '\0') return;  // a trailing separator names no entry
  if (has_wildcards(dir.c_str())) return;
  if (!has_wildcards(last)) {
    struct stat st;
    if (lstat(pattern, &st) == 0) found(last);
    return;
  }
  DIR* d = opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return;
  std::vector<std::string> names;
  while (struct dirent* e = readdir(d))
    if (wildcard_match(last, e->d_name)) names.emplace_back(e->d_name);
  closedir(d);
  std::sort(names.begin(), names.end());
  for (const std::string& n : names)
    if (!found(n.c_str())) return;
}

}  // namespace

bool plat_find_any(const char* pattern) {
  bool any = false;
  search(pattern, [&](const char*) {
    any = true;
    return false;
  });
  return any;
}

size_t plat_find_all(const char* pattern, ArgList* names) {
  size_t count = 0;
  search(pattern, [&](const char* name) {
    arglist_append(names, name);
    ++count;
    return true;
  });
  return count;
}

// ---------------------------------------------------------------------------
// Files and directories

uint32_t plat_delete_file(const char* path) {
  struct stat st;
  if (lstat(path, &st) != 0) return static_cast<uint32_t>(errno);
  // A file without any write permission is read-only and is refused, as
  // Windows refuses a file with the read-only attribute.
  if (S_ISREG(st.st_mode) && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return EACCES;
  if (unlink(path) != 0) return static_cast<uint32_t>(errno);
  return 0;
}

void plat_list_files(const char* dir, ArgList* names) {
  DIR* d = opendir(dir);
  if (!d) return;
  std::vector<std::string> found;
  std::string full = dir;
  size_t base = full.size();
  // Every entry is looked at with lstat: the type that readdir gives is
  // left unknown by some file systems.
  while (struct dirent* e = readdir(d)) {
    full.resize(base);
    full += e->d_name;
    struct stat st;
    bool is_dir = lstat(full.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    if (!is_dir) found.emplace_back(e->d_name);
  }
  closedir(d);
  std::sort(found.begin(), found.end());
  for (const std::string& n : found) arglist_append(names, n.c_str());
}

bool plat_remove_dir(const char* path) { return rmdir(path) == 0; }

// ---------------------------------------------------------------------------
// Temporary directory

size_t plat_temp_path(char* buf, size_t cap) {
  const char* tmp = getenv("TMPDIR");
  if (!tmp || !*tmp) tmp = "/tmp";
  std::string path = tmp;
  if (path.back() != '/') path += '/';
  if (path.size() + 1 > cap) {
    std::snprintf(buf, cap, "%s", path.c_str());
    return 0;
  }
  std::memcpy(buf, path.c_str(), path.size() + 1);
  return path.size();
}

bool plat_make_private_dir(const char* temp_path, char* out, size_t cap) {
  // mkdtemp creates the directory atomically with mode 0700, so no other user
  // can take the name between choosing it and creating it.
  std::string name = std::string(temp_path) + "OrvXXXXXX";
  std::vector<char> templ(name.begin(), name.end());
  templ.push_back('\0');
  bool ok = mkdtemp(templ.data()) != nullptr;
  std::snprintf(out, cap, "%s/", templ.data());
  if (ok && std::strlen(templ.data()) + 2 > cap) {
    rmdir(templ.data());  // its name does not fit: made for nothing
    return false;
  }
  return ok;
}

// ---------------------------------------------------------------------------
// Child processes

namespace {
sigset_t InterruptSignals;
bool InterruptsBlocked = false;
}  // namespace

uint32_t plat_spawn_and_wait(const char* command_line) {
  ArgList* args = arglist_create();
  plat_split_command_line(command_line, args);
  std::vector<char*> argv;
  for (ArgNode* n = arglist_first(args); n; n = argnode_next(n)) argv.push_back(n->value);
  argv.push_back(nullptr);
  if (argv.size() == 1) {
    arglist_destroy(args);
    return ENOENT;
  }

  // A driver started with SIGCHLD ignored (a daemon or a shell may pass that
  // on) would have its children reaped by the system and every tool's status
  // lost to ECHILD: the default is restored before a tool starts, for the
  // tool as well, which may wait for children of its own.
  struct sigaction child = {};
  if (sigaction(SIGCHLD, nullptr, &child) == 0 && child.sa_handler == SIG_IGN) signal(SIGCHLD, SIG_DFL);

  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  if (InterruptsBlocked) {
    // The driver blocks its interrupt signals for the handler thread; the
    // child must get them as usual.
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK);
  }
  pid_t pid;
  int rc = posix_spawnp(&pid, argv[0], nullptr, &attr, argv.data(), environ);
  posix_spawnattr_destroy(&attr);
  arglist_destroy(args);
  if (rc != 0) return static_cast<uint32_t>(rc);

  int status = 0;
  while (plat_fault("wait") ? (errno = EINTR, true) : waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return static_cast<uint32_t>(errno);
  }
  if (WIFEXITED(status)) return static_cast<uint32_t>(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return 128u + static_cast<uint32_t>(WTERMSIG(status));
  return 1;
}

// ---------------------------------------------------------------------------
// Interrupts

namespace {

void (*InterruptHandler)() = nullptr;

void* interrupt_thread(void*) {
  int sig = 0;
  while (sigwait(&InterruptSignals, &sig) != 0) {
  }
  InterruptHandler();
  return nullptr;
}

}  // namespace

void plat_install_interrupt_handler(void (*handler)()) {
  InterruptHandler = handler;
  sigemptyset(&InterruptSignals);
  // SIGQUIT is the terminal's Ctrl+\, the nearest counterpart of Ctrl+Break.
  for (int sig : {SIGINT, SIGQUIT, SIGTERM, SIGHUP}) sigaddset(&InterruptSignals, sig);
  // Blocked here and in every thread started later; the handler thread takes
  // them with sigwait and ends the process through the normal exit path.
  if (pthread_sigmask(SIG_BLOCK, &InterruptSignals, nullptr) != 0) return;
  pthread_t thread;
  if (pthread_create(&thread, nullptr, interrupt_thread, nullptr) != 0) {
    pthread_sigmask(SIG_UNBLOCK, &InterruptSignals, nullptr);
    return;
  }
  InterruptsBlocked = true;
  pthread_detach(thread);
}

void plat_block_forever() {
  for (;;) pause();
}

// ---------------------------------------------------------------------------
// Illegal-instruction guard

namespace {
sigjmp_buf GuardResume;
void on_illegal_instruction(int) { siglongjmp(GuardResume, 1); }
}  // namespace

int plat_run_guarded(int (*body)(), int on_fault) {
  struct sigaction handler = {}, previous = {};
  handler.sa_handler = on_illegal_instruction;
  sigemptyset(&handler.sa_mask);
  if (sigaction(SIGILL, &handler, &previous) != 0) return on_fault;
  volatile int answer = on_fault;
  // The jump back restores the signal mask, in which the handler had
  // SIGILL blocked.
  if (sigsetjmp(GuardResume, 1) == 0) answer = body();
  sigaction(SIGILL, &previous, nullptr);
  return answer;
}
