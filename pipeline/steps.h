// The steps of the per-file pipeline. Each takes the work list and reads its
// first entry: the front end and the transformer replace it by their output
// file, the code-generator, C and C++ steps remove it and hand their object to
// the link list (the C and C++ steps drop it when no object is wanted); a
// failing step ends the driver.
#pragma once
#include <string>

#include "driver/arglist.h"

void run_front_end(ArgList* work);       // Fortran source -> .bif
void run_transformer(ArgList* work);     // .bif -> .int
void run_code_generator(ArgList* work);  // .int -> object
void compile_c(ArgList* work);           // C source -> object
void compile_cxx(ArgList* work);         // C++ source -> object
[[noreturn]] void reject_assembly(ArgList* work);

// The object a step makes from `input`: with -c in the current directory (or
// OutputName), otherwise in the temporary directory.
std::string object_name(const char* input, const char* suffix);
// Replaces the first entry of the work list by `output`.
void replace_first(ArgList* work, const std::string& output);
