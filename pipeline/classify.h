// Classification of the pipeline's inputs by the text after the last dot of
// their names.
#pragma once

enum class InputKind {
  LinkerOption,     // no dot at all: handed to the linker's options
  FortranSource,
  FrontEndOutput,   // .bif
  TransformerOutput,  // .int
  Assembly,         // .s: refused, or handed on with -S and -syntax
  CSource,
  ObjectiveC,
  CxxSource,
  ObjectiveCxx,
  LinkerInput,      // objects, libraries, anything else
};

// The kind of `name` for a run that produces `target_kind`.
InputKind classify_input(const char* name, int target_kind);
