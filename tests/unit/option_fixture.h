// Argument lists as vectors, a fresh driver state for the option-handler
// tests, and a way to run the handler chain over a command line and see what
// it left behind.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "driver/arglist.h"
#include "driver/intake.h"
#include "driver/settings.h"
#include "driver/startup.h"
#include "fortran_opts/fortran_flags.h"

using Strings = std::vector<std::string>;

inline Strings values(const ArgList* list, size_t from = 0) {
  Strings v;
  for (ArgNode* n = arglist_first(list); n; n = argnode_next(n)) v.emplace_back(argnode_value(n));
  return Strings(v.begin() + static_cast<long>(std::min(from, v.size())), v.end());
}

inline ArgList* list_of(const Strings& args) {
  ArgList* list = arglist_create();
  for (const std::string& a : args) arglist_append(list, a);
  return list;
}

inline std::string describe(const Strings& args) {
  std::string s;
  for (const std::string& a : args) s += "[" + a + "]";
  return s;
}

// One row of a flag table: a command line, the flags it adds after the
// start-up defaults to the front end, transformer, code generator, C
// preprocessor and C compiler, and the arguments that no handler took.
struct FlagCase {
  Strings args, fe, xf, cg, cpp, cc, left;
};

class OptionChain : public ::testing::Test {
 protected:
  void SetUp() override { fresh(); }
  void TearDown() override { reset_settings(); }

  // Start-up state: defaults in the flag lists, InstallDir set.
  void fresh(const char* prefixes = nullptr) {
    reset_settings();
    if (prefixes) OptionPrefixChars = prefixes;
    InstallDir = "/opt/orvane";
    init_flag_lists();
    set_front_end_defaults();
    base_fe = values(FrontEndFlags).size();
    base_xf = values(TransformerFlags).size();
    base_cg = values(CodeGenFlags).size();
  }

  // Offers `args` to the chain; returns what was left over.
  Strings dispatch(const Strings& args) {
    ArgList* lists[] = {list_of(args), arglist_create(), arglist_create()};
    dispatch_arguments(lists[0], lists[1], lists[2]);
    Strings left = values(lists[2]);
    for (ArgList* l : lists) arglist_destroy(l);
    return left;
  }

  // Runs each row from a fresh state and compares every list exactly.
  template <size_t N>
  void expect_rows(const FlagCase (&rows)[N], const char* prefixes = nullptr) {
    for (const FlagCase& row : rows) {
      SCOPED_TRACE(describe(row.args));
      fresh(prefixes);
      EXPECT_EQ(dispatch(row.args), row.left) << "left over";
      EXPECT_EQ(values(FrontEndFlags, base_fe), row.fe) << "front end";
      EXPECT_EQ(values(TransformerFlags, base_xf), row.xf) << "transformer";
      EXPECT_EQ(values(CodeGenFlags, base_cg), row.cg) << "code generator";
      EXPECT_EQ(values(CPreprocessorFlags), row.cpp) << "C preprocessor";
      EXPECT_EQ(values(CCompilerFlags), row.cc) << "C compiler";
    }
  }

  size_t base_fe = 0, base_xf = 0, base_cg = 0;
};
