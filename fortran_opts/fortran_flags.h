// Fortran flag lists: their defaults before any option, and their completion
// once every option is known.
#pragma once
#include <string>

// "-Ab" "-p." to the front end, "-hmif=p" to the transformer, "-N76" "-N104"
// "-N105" to the code generator; VarNameCase upper.
void set_front_end_defaults();
// Optimisation flags, loop unrolling, runtime libraries and module
// directories. Called once, by link planning.
void finish_fortran_flags();
// The module directories: the output name's directory with -nowdir, then
// the installation's module directory unless -nodefaultmod.
void add_module_dir_flags();
// A library of the suite's runtime: `base`, ToolSuffix, ".lib".
std::string suite_library(const char* base);
