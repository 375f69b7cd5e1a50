#include "pipeline/tool_invocation.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "driver/exit.h"
#include "driver/settings.h"
#include "driver/startup.h"
#include "platform/fault_injection.h"
#include "platform/platform.h"

namespace {

// The quoted form stops growing once this many bytes, the opening quote
// included, stand in the buffer; what remains then is too long.
constexpr size_t QuoteLimit = 520;
// Room for the limit, one doubled quote that crosses it, the closing quote
// and the string end.
char QuoteBuffer[QuoteLimit + 4];

bool needs_quotes(const char* arg) { return std::strpbrk(arg, " \"'") != nullptr; }

constexpr size_t ResponseFileThreshold = 255;

}  // namespace

const char* quote_argument(const char* arg) {
  if (!needs_quotes(arg) || arg[0] == '"') return arg;
  size_t n = 0;
  QuoteBuffer[n++] = '"';
  const char* p = arg;
  while (*p && n < QuoteLimit) {
    if (*p == '"') QuoteBuffer[n++] = '"';
    QuoteBuffer[n++] = *p++;
  }
  if (*p) fail("Argument too long: %s\n", arg);
  QuoteBuffer[n++] = '"';
  QuoteBuffer[n] = '\0';
  return QuoteBuffer;
}

char* build_command_line(const char* invocation, const ArgList* list1, const ArgList* list2,
                         const ArgList* list3) {
  ArgList* quoted = arglist_create();
  size_t length = std::strlen(invocation);
  for (const ArgList* list : {list1, list2, list3}) {
    if (!list) continue;
    for (const ArgNode* n = arglist_first(list); n; n = argnode_next(n)) {
      arglist_append(quoted, quote_argument(argnode_value(n)));
      length += std::strlen(argnode_value(arglist_last(quoted))) + 1;
    }
  }
  char* line = static_cast<char*>(checked_malloc(length + 1));
  char* end = line;
  size_t inv = std::strlen(invocation);
  std::memcpy(end, invocation, inv);
  end += inv;
  for (const ArgNode* n = arglist_first(quoted); n; n = argnode_next(n)) {
    *end++ = ' ';
    size_t len = std::strlen(argnode_value(n));
    std::memcpy(end, argnode_value(n), len);
    end += len;
  }
  *end = '\0';
  arglist_destroy(quoted);
  return line;
}

uint32_t spawn_and_wait(const char* command_line) {
  // What the driver has written so far must reach the console before the
  // child writes to it.
  std::fflush(stdout);
  std::fflush(stderr);
  return plat_spawn_and_wait(command_line);
}

uint32_t run_tool(const char* invocation, const ArgList* list1, const ArgList* list2,
                  const ArgList* list3) {
  char* line = build_command_line(invocation, list1, list2, list3);
  if (Verbose) std::printf("%s\n", line);
  uint32_t status = DryRun ? 0 : spawn_and_wait(line);
  std::free(line);
  return status;
}

uint32_t run_tool_via_response_file(const char* invocation, const ArgList* list1,
                                    const ArgList* list2, const ArgList* list3,
                                    const char* response_file) {
  char* line = build_command_line(invocation, list1, list2, list3);
  const char* run_line = line;
  std::string at_line;
  if (std::strlen(line) > ResponseFileThreshold) {
    FILE* f = plat_fault("create") ? nullptr : std::fopen(response_file, "w");
    if (!f) {
      std::free(line);
      fail("Unable to create response file: %s\n", response_file);
    }
    std::fprintf(f, "%s\n", line + std::strlen(invocation));
    // A response file that is cut short would hand the tool half its
    // arguments: treat a failed write like a file that cannot be made.
    bool written = !std::ferror(f) && !plat_fault("write");
    if (std::fclose(f) != 0) written = false;
    if (!written) {
      std::free(line);
      fail("Unable to create response file: %s\n", response_file);
    }
    std::string at = "@";
    at += response_file;
    at_line = invocation;
    at_line += ' ';
    at_line += quote_argument(at.c_str());
    run_line = at_line.c_str();
  }
  if (Verbose) std::printf("%s\n", run_line);
  uint32_t status = DryRun ? 0 : spawn_and_wait(run_line);
  std::free(line);
  return status;
}

std::string suite_tool_invocation(const char* name, bool with_tool_suffix) {
  std::string path = install_file({"bin", name});
  if (with_tool_suffix) path += ToolSuffix;
  path += ExeSuffix;
  return quote_argument(path.c_str());
}

void delete_output_file(const char* path) { plat_delete_file(path); }
