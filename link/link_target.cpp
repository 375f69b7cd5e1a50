// Link execution: olink builds the executable, static library or DLL.
#include <string>

#include "driver/exit.h"
#include "driver/settings.h"
#include "link/link.h"
#include "pipeline/file_names.h"
#include "pipeline/temp_dir.h"
#include "pipeline/tool_invocation.h"

namespace {

std::string temp_file(const char* name) { return std::string(get_temp_dir()) + name; }

uint32_t run_linker(const ArgList* libraries, const char* response_name) {
  std::string invocation = suite_tool_invocation("olink", false);
  std::string response = temp_file(response_name);
  return run_tool_via_response_file(invocation.c_str(), LinkOptions, LinkObjects, libraries,
                                    response.c_str());
}

[[noreturn]] void link_failed(const std::string& output) {
  if (!output.empty()) delete_output_file(output.c_str());
  fail("link failed.\n");
}

void require_output_name() {
  if (!OutputName) fail("Cannot create a library without a name.\n");
}

}  // namespace

void link_executable() {
  std::string output;
  if (OutputName) {
    output = OutputName;
  } else if (ArgNode* first = arglist_first(LinkObjects)) {
    output = derived_name("", user_base_name(argnode_value(first)).c_str(), ".exe");
  }
  if (OutputName || arglist_first(LinkObjects)) arglist_append(LinkOptions, "-out:" + output);
  if (run_linker(LinkLibraries, "link.rsp") != 0) link_failed(output);
}

void link_static_library() {
  require_output_name();
  arglist_append(LinkOptions, std::string("-out:") + OutputName);
  if (run_linker(nullptr, "link.rsp") != 0) link_failed(OutputName);
}

void link_dll() {
  require_output_name();
  if (AutoExports) {
    std::string exports = temp_file("autoxps.xps");
    std::string library = temp_file("autoxps.lib");
    arglist_prepend(LinkOptions, "-exports:" + exports);
    arglist_prepend(LinkOptions, "-out:" + library);
    arglist_prepend(LinkOptions, "-lib");
    if (run_linker(nullptr, "autoxps.rsp") != 0) {
      delete_output_file(library.c_str());
      delete_output_file(exports.c_str());
      fail("link failed.\n");
    }
    arglist_remove_first(LinkOptions);
    arglist_remove_first(LinkOptions);
  }
  arglist_append(LinkOptions, std::string("-out:") + OutputName);
  arglist_prepend(LinkOptions, "-dll");
  if (run_linker(LinkLibraries, "link.rsp") != 0) link_failed(OutputName);
}

void link_target() {
  switch (TargetKind) {
    case KindStaticLib: link_static_library(); break;
    case KindDll: link_dll(); break;
    case KindPlainAppl:
    case KindWsimAppl:
    case KindConsoleExe: link_executable(); break;
    default: fail("Unsupported target.\n");
  }
}
