// Running the suite's tools: quoting, command assembly, response files, the
// verbose echo, dry runs and child processes.
#pragma once
#include <cstdint>
#include <string>

#include "driver/arglist.h"

// The argument as it must stand on a command line: wrapped in double quotes
// (inner ones doubled) when it holds a blank, a double quote or an
// apostrophe, unless it already begins with a double quote. The result may be
// a shared buffer that the next call overwrites.
const char* quote_argument(const char* arg);
// The invocation, then every element of the lists that are not null, each
// quoted and preceded by one blank. The caller frees the result.
char* build_command_line(const char* invocation, const ArgList* list1, const ArgList* list2,
                         const ArgList* list3);
// Runs a command line as a child process and waits: its exit status, or the
// system's error code when it cannot be started.
uint32_t spawn_and_wait(const char* command_line);
// Echoes (Verbose) and runs (unless DryRun) the command; 0 in a dry run.
uint32_t run_tool(const char* invocation, const ArgList* list1, const ArgList* list2,
                  const ArgList* list3);
// As run_tool, but a command line longer than 255 characters goes to the tool
// as "@" followed by `response_file`, which then holds the arguments.
uint32_t run_tool_via_response_file(const char* invocation, const ArgList* list1,
                                    const ArgList* list2, const ArgList* list3,
                                    const char* response_file);
// The quoted invocation of a suite tool in InstallDir's bin directory:
// <InstallDir><sep>bin<sep><name>[ToolSuffix]<exe suffix>.
std::string suite_tool_invocation(const char* name, bool with_tool_suffix);
// Deletes a step's output file after a failure; a failed deletion is ignored.
void delete_output_file(const char* path);
