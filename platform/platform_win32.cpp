// Win32 implementation of the platform layer, on kernel32 only.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "driver/arglist.h"
#include "platform/platform.h"

namespace {

// Copies `text` into buf[cap] (cut to fit, always NUL-terminated).
void copy_cut(char* buf, size_t cap, const char* text) {
  if (cap == 0) return;
  size_t n = std::strlen(text);
  if (n >= cap) n = cap - 1;
  std::memcpy(buf, text, n);
  buf[n] = '\0';
}

bool is_dir_entry(const WIN32_FIND_DATAA& found) {
  return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Calls `found(entry)` for every entry the directory search reports for
// `pattern`, in the system's order; stops early when `found` returns false.
template <typename F>
void search(const char* pattern, F found) {
  WIN32_FIND_DATAA entry;
  HANDLE h = FindFirstFileA(pattern, &entry);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    if (!found(entry)) break;
  } while (FindNextFileA(h, &entry));
  FindClose(h);
}

}  // namespace

// ---------------------------------------------------------------------------
// Own location and environment

size_t plat_executable_path(char* buf, size_t cap) {
  if (cap == 0) return 0;
  DWORD n = GetModuleFileNameA(nullptr, buf, static_cast<DWORD>(cap));
  // A path that fills the buffer is cut, and older systems then leave it
  // unterminated: such a path is no use as a location.
  if (n == 0 || n >= cap) {
    buf[0] = '\0';
    return 0;
  }
  buf[n] = '\0';
  return n;
}

void plat_setenv(const char* name, const char* value) { SetEnvironmentVariableA(name, value); }

// ---------------------------------------------------------------------------
// File search

bool plat_find_any(const char* pattern) {
  bool any = false;
  search(pattern, [&](const WIN32_FIND_DATAA&) {
    any = true;
    return false;
  });
  return any;
}

size_t plat_find_all(const char* pattern, ArgList* names) {
  size_t count = 0;
  search(pattern, [&](const WIN32_FIND_DATAA& entry) {
    arglist_append(names, entry.cFileName);
    ++count;
    return true;
  });
  return count;
}

// ---------------------------------------------------------------------------
// Files and directories

uint32_t plat_delete_file(const char* path) {
  if (DeleteFileA(path)) return 0;
  return GetLastError();
}

void plat_list_files(const char* dir, ArgList* names) {
  std::string pattern = dir;
  if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
  pattern += "*.*";
  search(pattern.c_str(), [&](const WIN32_FIND_DATAA& entry) {
    if (!is_dir_entry(entry)) arglist_append(names, entry.cFileName);
    return true;
  });
}

bool plat_remove_dir(const char* path) { return RemoveDirectoryA(path) != 0; }

// ---------------------------------------------------------------------------
// Temporary directory

size_t plat_temp_path(char* buf, size_t cap) {
  if (cap == 0) return 0;
  char path[MAX_PATH + 1];
  DWORD n = GetTempPathA(sizeof path, path);
  if (n == 0 || n >= sizeof path) {
    buf[0] = '\0';
    return 0;
  }
  // A path that does not fit the caller's buffer is refused rather than cut:
  // a cut path would name some other directory.
  copy_cut(buf, cap, path);
  return n < cap ? n : 0;
}

bool plat_make_private_dir(const char* temp_path, char* out, size_t cap) {
  // The system picks a unique name and creates an empty file of that name;
  // the file gives way to a directory of the same name.
  char name[MAX_PATH + 2];
  if (GetTempFileNameA(temp_path, "Orvane", 0, name) == 0) {
    // Nothing was made; the name tried is the directory it was tried in.
    copy_cut(out, cap, temp_path);
    return false;
  }
  DeleteFileA(name);
  std::strcat(name, "\\");
  copy_cut(out, cap, name);
  if (std::strlen(name) >= cap) return false;
  return CreateDirectoryA(name, nullptr) != 0;
}

// ---------------------------------------------------------------------------
// Child processes

uint32_t plat_spawn_and_wait(const char* command_line) {
  STARTUPINFOA startup;
  std::memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
#if defined(_WIN32) && !defined(_WIN64)
  static_assert(sizeof(STARTUPINFOA) == 68, "the 32-bit start-up record has 68 bytes");
#endif
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);

  PROCESS_INFORMATION child;
  std::memset(&child, 0, sizeof child);
  // CreateProcessA may write into the command line it is given.
  std::vector<char> line(command_line, command_line + std::strlen(command_line) + 1);
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &child))
    return GetLastError();

  while (WaitForSingleObject(child.hProcess, 1000) == WAIT_TIMEOUT) {
  }
  DWORD status = 0;
  if (!GetExitCodeProcess(child.hProcess, &status)) status = GetLastError();
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  return status;
}

// ---------------------------------------------------------------------------
// Interrupts

namespace {

void (*InterruptHandler)() = nullptr;

BOOL WINAPI console_event(DWORD) {
  // Every console event ends the driver; the handler does not come back.
  if (InterruptHandler) InterruptHandler();
  return TRUE;
}

}  // namespace

void plat_install_interrupt_handler(void (*handler)()) {
  InterruptHandler = handler;
  SetConsoleCtrlHandler(console_event, TRUE);
}

void plat_block_forever() {
  for (;;) Sleep(INFINITE);
}

// ---------------------------------------------------------------------------
// Illegal-instruction guard: a vectored handler sends the faulting thread to
// a point that jumps back into plat_run_guarded.

namespace {
void* GuardResume[5];  // the frame __builtin_setjmp records
DWORD GuardThread;

[[noreturn]] void resume_after_fault() { __builtin_longjmp(GuardResume, 1); }

LONG CALLBACK on_illegal_instruction(EXCEPTION_POINTERS* info) {
  if (info->ExceptionRecord->ExceptionCode != EXCEPTION_ILLEGAL_INSTRUCTION ||
      GetCurrentThreadId() != GuardThread)
    return EXCEPTION_CONTINUE_SEARCH;
  CONTEXT* context = info->ContextRecord;
#if defined(_WIN64)
  // Continue as a function entered by a call: stack aligned to 16, less 8.
  context->Rsp = (context->Rsp & ~static_cast<DWORD64>(15)) - 8;
  context->Rip = reinterpret_cast<DWORD64>(&resume_after_fault);
#else
  context->Eip = reinterpret_cast<DWORD>(&resume_after_fault);
#endif
  return EXCEPTION_CONTINUE_EXECUTION;
}
}  // namespace

int plat_run_guarded(int (*body)(), int on_fault) {
  GuardThread = GetCurrentThreadId();
  void* handler = AddVectoredExceptionHandler(1, on_illegal_instruction);
  if (!handler) return on_fault;
  volatile int answer = on_fault;
  if (__builtin_setjmp(GuardResume) == 0) answer = body();
  RemoveVectoredExceptionHandler(handler);
  return answer;
}
