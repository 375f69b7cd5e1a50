// The front-end step: a Fortran source through ftfront into its .bif file.
#include <cstdio>
#include <string>

#include "driver/exit.h"
#include "driver/settings.h"
#include "pipeline/file_names.h"
#include "pipeline/steps.h"
#include "pipeline/temp_dir.h"
#include "pipeline/tool_invocation.h"

void run_front_end(ArgList* work) {
  const char* source = argnode_value(arglist_first(work));
  const char* temp = get_temp_dir();
  std::string bif = derived_name(temp, temp_base_name(source).c_str(), ".bif");
  std::string response = derived_name(temp, base_name(bif.c_str()), ".rsp");

  ArgList* own = arglist_create();
  arglist_append(own, "-F" + bif);
  arglist_append(own, source);
  std::string invocation = suite_tool_invocation("ftfront", true);
  uint32_t status = run_tool_via_response_file(invocation.c_str(), FrontEndFlags, own, nullptr,
                                               response.c_str());
  arglist_destroy(own);
  if (status != 0) {
    delete_output_file(bif.c_str());
    fail("ftfront failed.\n");
  }
  replace_first(work, bif);
}
