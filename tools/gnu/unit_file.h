// The files the GNU-backed compiling tools hand on: the front end's ".bif",
// the transformer's ".int", and the list of flags the code generator leaves
// for the next source of a run.
#pragma once
#include <optional>
#include <string>

#include "tools/gnu/files.h"

namespace gnu {

// What the front end hands on to the later steps.
struct Unit {
  std::string source;     // the Fortran source as the user named it
  std::string directory;  // absolute: where `source` was named (the front end's directory)
  std::string language;   // gfortran's -x value: "f95" or "f95-cpp-input"
  Args flags;             // gfortran flags of the front end's options, in order
  Args later_flags;       // gfortran flags added by the transformer
  // The front end's object (absolute; empty when there is none), the flags
  // beyond `flags` it was compiled with, the source's `source_stamp` then,
  // and what gfortran printed while compiling it.
  std::string object;
  Args object_flags;
  std::string stamp;
  std::string diagnostics;
  // What the front end saw, under which the code generator keeps its flags
  // for later runs (`learnt_flags_key`); empty for none.
  std::string learnt_key;
  // The front end's flags that name external procedures and common blocks
  // (naming.h), for the code generator, which names the object's symbols.
  Args naming;
};

// Each of the two files starts with a line of its own, so that neither is
// taken for the other or for a file of the recording mode.
enum class UnitKind { FrontEnd, Transformed };

std::string format_unit(UnitKind kind, const Unit& unit);
// Empty when the text is not a well-formed file of that kind.
std::optional<Unit> parse_unit(UnitKind kind, const std::string& text);

// A list of flags, one a line, escaped as in the unit files.
std::string format_flag_list(const Args& flags);
std::optional<Args> parse_flag_list(const std::string& text);

}  // namespace gnu
