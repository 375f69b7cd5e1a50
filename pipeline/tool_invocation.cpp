#include "pipeline/tool_invocation.h"

// Placeholders until tool invocation lands.
const char* quote_argument(const char* arg) { return arg; }
char* build_command_line(const char*, const ArgList*, const ArgList*, const ArgList*) {
  return nullptr;
}
uint32_t spawn_and_wait(const char*) { return 1; }
uint32_t run_tool(const char*, const ArgList*, const ArgList*, const ArgList*) { return 1; }
uint32_t run_tool_via_response_file(const char*, const ArgList*, const ArgList*, const ArgList*,
                                    const char*) {
  return 1;
}
std::string suite_tool_invocation(const char*, bool) { return std::string(); }
void delete_output_file(const char*) {}
