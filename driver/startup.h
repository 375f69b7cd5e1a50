// Start-up of the driver: flag lists, installation directory, tool suffix,
// release information and the exit clean-up.
#pragma once
#include <initializer_list>
#include <string>

#include "driver/arglist.h"

// Creates the eight flag lists (CodeGenFlags starting with "-N61") and sets
// the unrolling values to "not given".
void init_flag_lists();
// Console control handler, installation directory, prefix characters, start
// values and the tool suffix. `args` still starts with the program name.
void driver_startup(ArgList* args);
// InstallDir, computed on the first call: ORVANE, else the parent of the
// driver's own directory (then exported as ORVANE for the tools).
const char* find_install_dir();
// "_x" when the program name ends in "_x.exe" (longer than 6) or "_x"
// (at least 3 characters), else "".
const char* tool_suffix_for(const char* program_name);
// Copies InstallDir's orvane_release.txt to standard output.
void print_release_info();
// At-exit handler: removes the temporary directory unless -keep was given.
void exit_cleanup();
// Interrupt handler: ends the process with status 1 through the normal exit.
void console_ctrl_handler();
// Ends the driver with "The ORVANE directory is set to a path that is too
// long." when InstallDir is longer than `max` characters.
void require_install_dir_at_most(unsigned max);
// InstallDir joined with a relative file name by the platform's separator
// ("<InstallDir>\default.opt" on Windows).
char* install_path(const char* name);
// InstallDir followed by each part, every one behind the platform's
// separator: {"bin", "ftfront.exe"} gives "<InstallDir>\bin\ftfront.exe".
std::string install_file(std::initializer_list<const char*> parts);
