// Test support: scratch directories and running the driver as a process.
#pragma once
#include <csignal>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Command lines, output lines, file names.
using Lines = std::vector<std::string>;
// The libraries a console program is linked with by default.
inline const std::string Libraries =
    "orvRT0.lib rt9math.lib rtio.lib rtmath.lib liboc.lib comdlg32.lib kernel32.lib";

// A directory of its own for one test, removed with everything in it when
// the object goes.
class Scratch {
 public:
  Scratch();
  ~Scratch();
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  const std::string& path() const { return path_; }
  // `rel` below the scratch directory, with '/' separators.
  std::string at(const std::string& rel) const;
  // Writes a file (making its directories); returns its full path.
  std::string write(const std::string& rel, const std::string& content) const;
  std::string read(const std::string& rel) const;
  bool exists(const std::string& rel) const;
  void mkdir(const std::string& rel) const;
  // Names below `rel` (files and directories), sorted.
  std::vector<std::string> list(const std::string& rel = "") const;

 private:
  std::string path_;
};

struct RunResult {
  int status = -1;  // exit status, or 128 + signal
  std::string out;
  std::string err;
  std::string wine;  // under wine, the lines wine itself wrote to err, taken out of it
};

struct DriverRun {
  std::vector<std::string> args;
  // Variables to set (a value) or remove (nullopt). ORVANE, ORVANE_BIG_O, CC,
  // CXX and TMPDIR are removed unless given here.
  std::map<std::string, std::optional<std::string>> env;
  std::string cwd;      // empty: the test's own
  std::string program;  // empty: the f90 driver under test
  // A program that runs the one under test (an emulator such as
  // "qemu-i386 -cpu pentium3"), first word first. Empty: the words of
  // F90_TEST_LOADER, if any.
  std::vector<std::string> loader;
  // The system's temporary path for the run, a directory of this host:
  // TMPDIR on POSIX, the Windows temporary path under wine. Empty: the
  // system's own.
  std::string temp_dir;
  int timeout_seconds = 60;
  // Standard error into the file of the standard output, as "2>&1" does:
  // `out` then has both in the order written.
  bool err_to_out = false;
  // When set, the driver's process group gets this signal 500 ms after
  // `interrupt_file` first holds `interrupt_text` (a tool's record in its
  // log, say), as a terminal's interrupt reaches the driver and the tool it
  // runs; counting from that moment, slow starts (wine) cannot make it miss.
  // Unless `interrupt_group`, the driver alone gets it.
  int interrupt_signal = 0;
  bool interrupt_group = true;
  std::string interrupt_file, interrupt_text;
};

// Path of the f90 executable under test (F90_TEST_DRIVER, else the one
// built beside the tests).
std::string driver_path();
// Runs the process to its end, collecting its standard output and error.
// A Windows program is run under wine (F90_TEST_WINE, else "wine"); the line
// ends that its C runtime writes in text mode ("\r\n") come back as "\n".
RunResult run_driver(const DriverRun& run);

// `err` without the lines that wine itself prints, recognised by their
// beginnings: its loader's ("wine: ", and the dynamic loader's
// "Inconsistency detected by ld.so: " in the wine process), its server's and
// its debug channels' ("0024:err:module:import_dll ..."). Those lines are
// appended to `wine`.
std::string without_wine_lines(const std::string& err, std::string& wine);

// Reads a whole file; empty when it cannot be read.
std::string read_file(const std::string& path);

// The platform the driver under test runs on. Natively that is this host;
// with F90_TEST_TARGET=win32 it is the Windows build run under wine.
// Expectations that differ only by separator or executable suffix derive
// them from here rather than from a copy of the test.
bool target_is_windows();
char target_sep();                // '\\' or '/'
std::string target_exe();         // ".exe" or ""
// A path of this host as the driver under test sees it (Z:\... under wine).
std::string target_path(const std::string& host_path);
// The system's temporary path that the driver under test sees when a run
// gives it none, ending in the target's separator: /tmp/ on POSIX, the wine
// prefix's own Temp directory (F90_WINE_TEMP) under wine.
std::string target_system_temp();
// What the driver under test prints when it copies a text file to its
// output, as run_driver returns it: on Windows the C runtime reads "\r\n" as
// "\n" (and writes it back as "\r\n", which run_driver folds again).
std::string target_text(const std::string& file_content);
// An installation of the stand-in tools for one test: <scratch>/inst/bin holds
// ftfront, ixform, ocgen, OCC and olink (OCC is also found on PATH), the
// driver runs in <scratch>/work with its temporary path <scratch>/tmp, and
// the tools record their command lines in <scratch>/tools.log.
class Suite {
 public:
  Suite();
  Scratch scratch;
  // Where the run's private directory is made, in the target's spelling and
  // ending in its separator: tmp() unless a test runs in another.
  std::string temp_prefix;

  std::string install() const { return scratch.at("inst"); }
  std::string work() const { return scratch.at("work"); }
  std::string tmp() const { return scratch.at("tmp"); }
  // Files of one "      end" line below work(): Fortran sources, or inputs
  // of any other kind, which the stand-in tools take as they are.
  void sources(std::initializer_list<std::string> rels) const;

  // The driver run in work() with ORVANE, PATH (WINEPATH under wine),
  // F90_TOOL_LOG and the temporary path set (values in `env` are added or
  // override), for a test to adjust. The tools' record starts empty: what
  // commands() shows is that of the last run prepared.
  DriverRun prepare(std::vector<std::string> args,
                    std::map<std::string, std::optional<std::string>> env = {}) const;
  // Runs prepare(args, env).
  RunResult run(std::vector<std::string> args,
                std::map<std::string, std::optional<std::string>> env = {}) const;
  // Runs the driver while `tool` sleeps 5 s, and interrupts it with `signal`
  // 500 ms after that tool has recorded its command line (the driver's
  // process group, or the driver alone).
  RunResult run_interrupted(std::vector<std::string> args, const std::string& tool,
                            int signal = SIGINT, bool group = true) const;
  // The command lines the tools received, in order, with the installation
  // directory written as "I" and the run's private temporary directory
  // (separator included) as "T".
  std::vector<std::string> commands() const { return log("CMD"); }
  // As commands(), but a line that handed the tool a response file is shown
  // as it stood before: the invocation followed by the file's line.
  std::vector<std::string> lines() const { return log("CMD RSP"); }
  // The lines of the response files the tools were given, normalised alike.
  std::vector<std::string> responses() const { return log("RSP"); }
  std::string normalize(const std::string& text) const;
  // What is left in the temporary path after the run.
  std::vector<std::string> temp_left() const { return scratch.list("tmp"); }

 private:
  std::vector<std::string> log(const std::string& kinds) const;
};

// What -v prints for a run that makes its temporary directory `dir`: "mkdir",
// the lines, then "del" and "rmdir" at exit, in the target's spelling.
std::string temp_dir_echo(const std::string& lines, const std::string& dir = "T");

// An expected text written with '/' separators and "{exe}" for the
// executable suffix, in the target's spelling.
std::string X(const std::string& text);
