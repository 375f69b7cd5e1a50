// The driver's only door to the operating system. Everything above this
// layer is portable code that produces the same flags and messages on every
// platform; what differs (path separator, executable suffix, how processes,
// directories and interrupts work) is answered here. Two implementations
// exist: platform_win32.cpp on kernel32 and platform_posix.cpp.
#pragma once
#include <cstddef>
#include <cstdint>

struct ArgList;

// The option prefix characters: '+' and '!' (the plus group), then '-' (the
// canonical prefix) and, on Windows only, '/'. On POSIX a leading '/' starts
// an absolute path, so it cannot also start an option.
// DirPartEnds: the characters after which a path's last component starts
// (on POSIX ':' and '\' are ordinary characters of a file name).
#ifdef _WIN32
constexpr char PathSep = '\\';
constexpr const char* ExeSuffix = ".exe";
constexpr const char* PlatformOptionPrefixChars = "+!-/";
constexpr const char* DirPartEnds = ":\\/";
#else
constexpr char PathSep = '/';
constexpr const char* ExeSuffix = "";
constexpr const char* PlatformOptionPrefixChars = "+!-";
constexpr const char* DirPartEnds = "/";
#endif

// --- Own location and environment -----------------------------------------
// Full path of the running executable into `buf` (NUL-terminated, cut to
// cap-1 characters); returns its length, 0 when it cannot be had.
size_t plat_executable_path(char* buf, size_t cap);
// Sets a variable of the driver's own environment, inherited by children.
void plat_setenv(const char* name, const char* value);

// --- File search --------------------------------------------------------------
// `pattern` may hold the wildcards '*' and '?' in its last component. The
// directory search reports the last-component names that match, in a stable
// order (a directory's own "." and ".." included where they match).
// True when the search finds at least one entry for `pattern`.
bool plat_find_any(const char* pattern);
// Appends every name the search reports for `pattern` to `names`; returns the
// number appended.
size_t plat_find_all(const char* pattern, ArgList* names);

// --- Files and directories ---------------------------------------------------
// Deletes a file; returns 0 on success, else the system's error code. A file
// marked read-only is refused, as on Windows.
uint32_t plat_delete_file(const char* path);
// Appends the names of the plain files (no directories) in `dir`, which ends
// in a separator, to `names`, in the directory search's order.
void plat_list_files(const char* dir, ArgList* names);
// Removes an empty directory; a failure is only returned.
bool plat_remove_dir(const char* path);

// --- Temporary directory ------------------------------------------------------
// The system's temporary path, ending in a separator, into `buf`; returns its
// length, or 0 when the system gives none (buf then holds what was found).
size_t plat_temp_path(char* buf, size_t cap);
// Makes a new private directory with a unique name (prefix "Orvane", of which
// the system may use only the first three characters) in `temp_path` and
// writes its full name, ending in a separator, into `out`. Returns false when
// the directory could not be made (`out` then holds the name that was tried).
bool plat_make_private_dir(const char* temp_path, char* out, size_t cap);

// --- Child processes ------------------------------------------------------------
// Runs a command line (program first, arguments quoted by the driver's rule)
// on the driver's own console and waits for it. Returns the child's exit
// status, or the system's error code when it could not be started. What the
// caller has buffered for the console is its own to flush first.
uint32_t plat_spawn_and_wait(const char* command_line);

// --- Interrupts and exit ----------------------------------------------------------
// Calls `handler` (which never returns) on an interrupt: a console control
// event on Windows, SIGINT, SIGQUIT, SIGTERM or SIGHUP on POSIX. The handler
// runs on a thread of its own while the main thread may still be waiting for
// a child.
void plat_install_interrupt_handler(void (*handler)());
// Blocks the calling thread until the process ends.
[[noreturn]] void plat_block_forever();

// --- Processor -------------------------------------------------------------------
// Vendor text (12 characters, underscores when the processor has no CPUID)
// and the signature (EAX of CPUID leaf 1).
struct CpuIdentity {
  char vendor[13];
  uint32_t signature;
};
void plat_read_cpu_identity(CpuIdentity* identity);
// 1 when the host can run SSE2 code (CPUID FXSR and SSE2, MXCSR loadable).
int plat_sse2_probe();
// Runs `body` with illegal-instruction faults caught: returns what `body`
// returns, or `on_fault` when an instruction in it faulted. Nothing is
// written; the previous handling of such faults is back in place after.
int plat_run_guarded(int (*body)(), int on_fault);
