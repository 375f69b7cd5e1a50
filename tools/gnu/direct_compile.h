// The front end's compile run as the steps gfortran itself would run
// (direct_compile.cpp).
#pragma once
#include <optional>
#include <string>

#include "tools/gnu/process.h"

namespace gnu {

// The steps `gfortran -###` lists; empty when it lists none or a line cannot be read.
std::optional<CompileSteps> parse_driver_listing(const std::string& text);
// What was learnt for a command shape: the programs' stamps, the temporary
// files named in the steps, and the steps with placeholder names.
struct DirectCompile {
  Args stamps;
  Args temporaries;
  CompileSteps steps;
};
// The names put in: the source as the command names it, the object's
// directory and stem (the object is "<directory>/<stem>.bif.object"), and
// a file for each of the lesson's temporaries.
struct DirectNames {
  std::string source, directory, stem;
  Args temporaries;
};
CompileSteps instantiate(const DirectCompile& lesson, const DirectNames& names);
// What the cache keeps for a command shape: a lesson, or the word that the
// shape does not go directly.
struct KeptLesson {
  std::optional<DirectCompile> lesson;  // empty: compiled through gfortran
};
std::string format_lesson(const std::string& key, const KeptLesson& kept);
// Empty when the text is not a whole file kept for `key`.
std::optional<KeptLesson> parse_lesson(const std::string& key, const std::string& text);
// Printable, without blanks, quotes, backslashes or dollars: a name that
// gfortran lists as it is.
bool plain_name(const std::string& name);
enum class DirectResult { NotTried, Compiled, Failed };
// Runs the front end's gfortran command as gfortran's steps when it can;
// Failed leaves neither the object nor a temporary file.
DirectResult compile_directly(const Args& command, const std::string& capture, std::string* diagnostics);

}  // namespace gnu
