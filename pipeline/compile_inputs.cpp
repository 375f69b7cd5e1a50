#include "pipeline/pipeline.h"

void compile_inputs(ArgList* input_files) {
  while (arglist_first(input_files)) arglist_remove_first(input_files);
}
