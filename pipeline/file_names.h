// How the steps name their files from their inputs' names.
#pragma once
#include <string>

// The part of `name` after its last '\' or '/' (whichever is later); the
// whole name when it has neither.
const char* base_name(const char* name);
// `dir` followed by `base`, with the text from the last dot of the joined
// name on replaced by `suffix` (".bif", ".obj", ...); `suffix` is appended
// when the joined name has no dot.
std::string derived_name(const char* dir, const char* base, const char* suffix);
// The base name under which a step's input is known in the temporary
// directory. A file the driver made there keeps its own name. A file of the
// user's gets its base name, unless an earlier input of the run already
// claimed that name there (compared without regard to case, as Windows
// does): then "-2", "-3", ... is put in front of its suffix, so that
// a/util.f90 and b/util.f90 do not overwrite each other's files.
std::string temp_base_name(const char* input);
// The base name of `input` as the user knows it: for a file in the
// temporary directory whose name was made distinct, the name it stands for.
std::string user_base_name(const char* input);
// Forgets the claimed names, in the fuzzing core (F90_EXIT_THROWS), which runs
// many inputs in one process.
void reset_temp_names();
