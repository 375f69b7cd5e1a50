// Quoting and command assembly, and the names the steps give their files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "driver/arglist.h"
#include "driver/settings.h"
#include "pipeline/file_names.h"
#include "pipeline/tool_invocation.h"

namespace {

// Blanks, doubled quotes and plain arguments of any length are checked
// end to end; these are the edges.
TEST(Quoting, ByTheDriversRule) {
  const struct {
    std::string in, out;
  } rows[] = {
      {"plain", "plain"},
      {"it's", "\"it's\""},
      {"tab\there", "tab\there"},
      {"\"already quoted\" x", "\"already quoted\" x"},
      {"back\\slash \\\"", "\"back\\slash \\\"\"\""},
      {"", ""},
      // The quoted form may fill the buffer up to the limit.
      {std::string(517, 'a') + " ", "\"" + std::string(517, 'a') + " \""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.in);
    EXPECT_EQ(quote_argument(row.in.c_str()), row.out);
  }
}

TEST(CommandLine, ListsInOrderEachQuoted) {
  ArgList* a = arglist_create();
  ArgList* b = arglist_create();
  arglist_append(a, "-x");
  arglist_append(a, "");
  arglist_append(b, "two words");
  char* line = build_command_line("tool", a, nullptr, b);
  EXPECT_STREQ(line, "tool -x  \"two words\"");
  std::free(line);
  line = build_command_line("tool", nullptr, nullptr, nullptr);
  EXPECT_STREQ(line, "tool");
  std::free(line);
  arglist_destroy(a);
  arglist_destroy(b);
}

TEST(FileNames, DistinctNamesInTheTemporaryDirectory) {
  reset_temp_names();
  std::string saved = TempDirPath;
  std::snprintf(TempDirPath, sizeof TempDirPath, "/t/Orv1/");
  EXPECT_EQ(temp_base_name("a/util.f90"), "util.f90");
  EXPECT_EQ(temp_base_name("b/Util.c"), "Util-2.c") << "names compare without regard to case";
  EXPECT_EQ(temp_base_name("c/util.f"), "util-3.f");
  EXPECT_EQ(temp_base_name("util-2.f90"), "util-2-2.f90");
  EXPECT_EQ(temp_base_name("/t/Orv1/util-3.int"), "util-3.int") << "the driver's own files keep theirs";
  EXPECT_EQ(user_base_name("/t/Orv1/Util-2.obj"), "Util.obj");
  EXPECT_EQ(user_base_name("/t/Orv1/util.obj"), "util.obj");
  EXPECT_EQ(user_base_name("elsewhere/util-3.obj"), "util-3.obj");
  std::snprintf(TempDirPath, sizeof TempDirPath, "%s", saved.c_str());
  reset_temp_names();
}

}  // namespace

#ifndef _WIN32
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
