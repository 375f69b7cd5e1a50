// The per-file pipeline: every input through its chain of tools, then the link.
#pragma once
#include "driver/arglist.h"

void compile_inputs(ArgList* input_files);
