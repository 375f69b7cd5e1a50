// The response file that a long tool line goes through, when it cannot be
// written whole.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <string>

#include "driver/arglist.h"
#include "pipeline/tool_invocation.h"

// A response file on a full disk would hand the tool half its arguments: the
// driver stops as for one it cannot create.
TEST(ResponseFile, FullDiskIsRefused) {
  ArgList* flags = arglist_create();
  arglist_append(flags, std::string(300, 'f'));
  EXPECT_EXIT(run_tool_via_response_file("tool", flags, nullptr, nullptr, "/dev/full"),
              ::testing::ExitedWithCode(1), "^Unable to create response file: /dev/full\n$");
  arglist_destroy(flags);
}
#endif
