#include <string>

#include "driver/exit.h"
#include "driver/settings.h"
#include "link/link.h"
#include "pipeline/classify.h"
#include "pipeline/pipeline.h"
#include "pipeline/steps.h"

namespace {

// Hands the first entry to one of the link lists.
void hand_to(ArgList* link_list, ArgList* work) {
  arglist_append(link_list, argnode_value(arglist_first(work)));
  arglist_remove_first(work);
}

}  // namespace

void compile_inputs(ArgList* work) {
  while (ArgNode* first = arglist_first(work)) {
    const char* name = argnode_value(first);
    switch (classify_input(name, TargetKind)) {
      case InputKind::LinkerOption: hand_to(LinkOptions, work); break;
      case InputKind::FortranSource: run_front_end(work); break;
      case InputKind::FrontEndOutput: run_transformer(work); break;
      case InputKind::TransformerOutput: run_code_generator(work); break;
      case InputKind::Assembly: reject_assembly(work);
      case InputKind::CSource: compile_c(work); break;
      case InputKind::ObjectiveC:
        fail("Objective C code is not support by this complier: %s\n", name);
      case InputKind::CxxSource: compile_cxx(work); break;
      case InputKind::ObjectiveCxx:
        fail("Objective C++ code is not support by this complier: %s\n", name);
      case InputKind::LinkerInput: hand_to(LinkObjects, work); break;
    }
  }
  if (TargetKind > KindObjects) link_target();
}
