// The link stage: planning before the pipeline, the link after it.
#pragma once
#include "driver/arglist.h"

// Expands wildcards among the input files and finishes the code generator's
// and linker's lists. Runs exactly once, also without input files.
void plan_link(ArgList* input_files);
// Links the executable, static library or DLL that TargetKind asks for.
void link_target();
void link_executable();
void link_static_library();
void link_dll();
