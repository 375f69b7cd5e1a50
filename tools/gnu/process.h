// Running the GNU programs from the tools: finding them, echoing them
// (F90_GNU_ECHO) and waiting for them, with or without their standard error
// captured.
#pragma once
#include <string>

#include "tools/gnu/files.h"

namespace gnu {

// A step: the NAME=VALUE assignments made before it, and its command.
struct CompileStep {
  Args environment;
  Args command;
  bool operator==(const CompileStep& other) const {
    return environment == other.environment && command == other.command;
  }
};
using CompileSteps = std::vector<CompileStep>;

// The file a command's program names, found as posix_spawnp finds it; empty when there is none.
std::string find_program(const std::string& program);
// Makes the directory where needed; whether this process may write in it.
bool writable_directory(const std::string& path);
// The command as one line that the platform layer splits back into exactly
// these arguments.
std::string command_line(const Args& argv);
// With F90_GNU_ECHO, shows a command about to run ("<tool>: <command>").
void echo(const std::string& tool, const Args& argv);
// Reports a program that is not there, so that a missing toolchain is not a silent failure.
bool program_found(const std::string& tool, const std::string& program);
// Runs a command (echoed); true when it ended with status 0.
bool run(const std::string& tool, const Args& argv);
// Runs the steps in turn, each in the environment gfortran gives it, until
// one fails, with their standard error in `*captured` (through the file
// `capture`, removed afterwards); true when every step ended with status 0.
bool run_steps_captured(const CompileSteps& steps, const std::string& capture, std::string* captured);
// Writes to the standard error what a step printed.
void show(const std::string& diagnostics);
// "<tool>: <message>" on the standard error; the status 1.
int fail(const std::string& tool, const std::string& message);

// A temporary directory of the tool's own, made the children's TMPDIR until
// it goes, with all that they left in it.
class PrivateTmpdir {
 public:
  PrivateTmpdir();
  ~PrivateTmpdir();
  PrivateTmpdir(const PrivateTmpdir&) = delete;
  PrivateTmpdir& operator=(const PrivateTmpdir&) = delete;

 private:
  bool had_tmpdir_ = false;
  std::string saved_, dir_;
};

}  // namespace gnu
