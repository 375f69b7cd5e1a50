// Module search paths: the module-path handler at the head of the chain
// (-fdll, -WINAPIModFiles) and the Fortran options -p and -nodefaultmod.
#include <string>

#include "driver/handlers.h"
#include "platform/platform.h"
#include "tests/unit/option_fixture.h"

namespace {

using ModulePaths = OptionChain;

// The fixture's InstallDir, "/opt/orvane", with the module directory.
const std::string InstallModules = std::string("-p/opt/orvane") + PathSep + "F90INC";
const std::string Dir259(259, 'd');
const std::string Dir260(260, 'd');

TEST_F(ModulePaths, SearchPathFlags) {
  const FlagCase rows[] = {
      // args, fe, xf, cg, cpp, cc, left
      {{"-pmods", "-p", "mods"}, {"-pmods", "-pmods"}, {}, {}, {}, {}, {}},
      // -profile is left for the general options.
      {{"-profiles", "-profile"}, {"-profiles"}, {}, {"-N25", "-N72"}, {}, {}, {}},
      // The next argument is an option: neither is taken, and -O2 is then
      // an option of its own.
      {{"-p", "-O2"}, {}, {}, {}, {}, {}, {"-p"}},
      {{"-p", "+x"}, {}, {}, {}, {}, {}, {"-p", "+x"}},
      {{"-p", ""}, {}, {}, {}, {}, {}, {"-p", ""}},
      {{"-p"}, {}, {}, {}, {}, {}, {"-p"}},
      {{"-p", Dir259}, {"-p" + Dir259}, {}, {}, {}, {}, {}},
      {{"-p", Dir260}, {}, {}, {}, {}, {}, {"-p", Dir260}},
      {{"-WINAPIModFiles", "-pa", "-WINAPIModFiles"}, {InstallModules, "-pa", InstallModules}, {}, {}, {}, {}, {}},
      {{"-nodefaultmod", "-WINAPIModFiles", "-fdll", "-fdll"}, {InstallModules}, {}, {}, {}, {}, {}},
      {{"+fdll", "!WINAPIModFiles", "-FDLL", "-fdlls", "-winapimodfiles", "-nodefaultmods"},
       {}, {}, {}, {}, {}, {"+fdll", "!WINAPIModFiles", "-FDLL", "-fdlls", "-winapimodfiles", "-nodefaultmods"}},
  };
  expect_rows(rows);
}

using ModulePathsDeathTest = OptionChain;

// The flag holds an InstallDir of 250 characters, and no more. The death
// test keeps gtest's style, which on Linux forks without running the test
// program again: a 32-bit build runs under qemu-i386, and a program it
// starts would be run by the kernel itself.
TEST_F(ModulePathsDeathTest, InstallDirTooLongForTheModuleFlag) {
  std::string dir(250, 'i');
  InstallDir = dir.c_str();
  EXPECT_EQ(dispatch({"-WINAPIModFiles"}), Strings{});
  EXPECT_EQ(values(FrontEndFlags, base_fe), Strings{"-p" + dir + PathSep + "F90INC"});
  dir += 'i';
  InstallDir = dir.c_str();
  EXPECT_EXIT(dispatch({"-WINAPIModFiles"}), ::testing::ExitedWithCode(1),
              "^The ORVANE directory is set to a path that is too long\\.\n"
              "Please check your ORVANE environment variable and try again\\.\n$");
  InstallDir = "/opt/orvane";
}

}  // namespace
