// The transformer, code-generator, C and C++ steps: each derives its output
// name, runs its tool directly and puts the output in place of its input.
#include <cstdlib>
#include <string>

#include "driver/exit.h"
#include "driver/settings.h"
#include "pipeline/file_names.h"
#include "pipeline/steps.h"
#include "pipeline/temp_dir.h"
#include "pipeline/tool_invocation.h"

namespace {

// Runs the step's tool (an absent list adds nothing to the command line);
// on failure deletes the output and ends the driver with the step's message.
void run_step(const char* invocation, const ArgList* list1, const ArgList* list2,
              ArgList* own, const std::string& output, const char* failure) {
  uint32_t status = run_tool(invocation, list1, list2, own);
  arglist_destroy(own);
  if (status != 0) {
    delete_output_file(output.c_str());
    fail("%s", failure);
  }
}

// What the code-generator, C and C++ steps make is an object whatever its
// name: it goes straight to the link list. Put back on the work list, a name
// the user chose with -c -o (out.f90, x.c, ...) would be classified as a
// source again and compiled without end.
void hand_on_object(ArgList* work, const std::string& object) {
  arglist_remove_first(work);
  arglist_append(LinkObjects, object);
}

void compile_c_family(ArgList* work, const char* env_name, const char* fallback,
                      const char* failure) {
  if (TargetKind < KindObjects) {
    arglist_remove_first(work);
    return;
  }
  const char* input = argnode_value(arglist_first(work));
  std::string object = object_name(input, ".obj");
  ArgList* own = arglist_create();
  arglist_append(own, "-c");
  arglist_append(own, input);
  arglist_append(own, "-o");
  arglist_append(own, object);
  const char* invocation = std::getenv(env_name);
  if (!invocation) invocation = fallback;
  run_step(invocation, CPreprocessorFlags, CCompilerFlags, own, object, failure);
  hand_on_object(work, object);
}

}  // namespace

std::string object_name(const char* input, const char* suffix) {
  if (TargetKind == KindObjects) {
    if (OutputName) return OutputName;
    return derived_name("", user_base_name(input).c_str(), suffix);
  }
  const char* temp = get_temp_dir();
  return derived_name(temp, temp_base_name(input).c_str(), suffix);
}

void replace_first(ArgList* work, const std::string& output) {
  arglist_remove_first(work);
  arglist_prepend(work, output);
}

void run_transformer(ArgList* work) {
  const char* input = argnode_value(arglist_first(work));
  const char* temp = get_temp_dir();
  std::string output = derived_name(temp, temp_base_name(input).c_str(), ".int");
  ArgList* own = arglist_create();
  arglist_append(own, "-o");
  arglist_append(own, output);
  arglist_append(own, input);
  std::string invocation = suite_tool_invocation("ixform", true);
  run_step(invocation.c_str(), TransformerFlags, nullptr, own, output, "ixform failed.\n");
  replace_first(work, output);
}

void run_code_generator(ArgList* work) {
  const char* input = argnode_value(arglist_first(work));
  std::string object = object_name(input, ObjectSuffixDotO ? ".o" : ".obj");
  ArgList* own = arglist_create();
  arglist_append(own, "-o");
  arglist_append(own, object);
  arglist_append(own, "-i");
  arglist_append(own, input);
  std::string invocation = suite_tool_invocation("ocgen", true);
  run_step(invocation.c_str(), CodeGenFlags, nullptr, own, object, "ocgen failed.\n");
  hand_on_object(work, object);
}

void compile_c(ArgList* work) { compile_c_family(work, "CC", "OCC -A", "C compilation failed.\n"); }

void compile_cxx(ArgList* work) {
  compile_c_family(work, "CXX", "OCC -c++", "C++ compilation failed.\n");
}

void reject_assembly(ArgList*) { fail("Assembly files are not supported on Windows.\n"); }
