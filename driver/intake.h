// Argument intake: the default options file, response files, -help, the
// chain of option handlers, input files and the report of what is left.
#pragma once
#include "driver/arglist.h"

// Inserts the arguments of InstallDir's default.opt lines that begin with
// `key` in front of the first entry of `args`.
void read_default_options(ArgList* args, const char* key);
// Takes every argument: answers -help, expands response files, offers each
// argument to the handler chain and keeps existing files in `input_files`.
// Ends the process on -help (0) and on anything left unused (1).
void take_arguments(ArgList* args, ArgList* input_files);
// Offers each argument in turn to the handler chain until `args` is empty;
// what no handler takes goes to `input_files` when it names an existing file,
// else to `leftovers`.
void dispatch_arguments(ArgList* args, ArgList* input_files, ArgList* leftovers);
// Inserts the arguments of response file `name` in front of `before`.
void read_response_file(const char* name, ArgList* args, ArgNode* before);
// Splits a writable line into arguments inserted in front of `before`.
void tokenize_into(ArgList* list, ArgNode* before, char* line);
// True when the directory search finds at least one entry for `name`.
bool file_exists(const char* name);
void print_help();

// Bounds on response-file expansion, so that a file that names itself, or a
// set of files that multiply each other, cannot run the driver out of time
// or memory.
constexpr int MaxResponseDepth = 64;
constexpr long MaxResponseFiles = 100000;
constexpr long MaxResponseArguments = 4000000;
// Forgets how many response files and arguments were read, in the fuzzing
// core (F90_EXIT_THROWS), which runs the intake many times in one process.
void reset_response_counts();
