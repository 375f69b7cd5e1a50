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
