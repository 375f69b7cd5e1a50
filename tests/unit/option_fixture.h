// A fresh driver state for the option-handler tests, and a way to run the
// handler chain over a command line and see what it left behind.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/arglist.h"
#include "driver/intake.h"
#include "driver/settings.h"
#include "driver/startup.h"
#include "fortran_opts/fortran_flags.h"

using Strings = std::vector<std::string>;

inline Strings values(const ArgList* list) {
  Strings v;
  for (ArgNode* n = arglist_first(list); n; n = argnode_next(n)) v.emplace_back(argnode_value(n));
  return v;
}

// The flags a run added to a list after the start-up defaults.
struct Added {
  Strings fe, xf, cg, cpp, cc;
};

// One row of a flag table: a command line, the flags it adds, and the
// arguments that no handler took.
struct FlagCase {
  Strings args;
  Strings fe, xf, cg, cpp, cc;
  Strings left;
};

inline std::string describe(const Strings& args) {
  std::string s;
  for (const std::string& a : args) s += "[" + a + "]";
  return s;
}

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

  // Offers `args` to the chain; returns what was left over (input files that
  // exist go to `inputs`).
  Strings dispatch(const Strings& args) {
    ArgList* list = arglist_create();
    for (const std::string& a : args) arglist_append(list, a);
    ArgList* input_files = arglist_create();
    ArgList* leftovers = arglist_create();
    dispatch_arguments(list, input_files, leftovers);
    inputs = values(input_files);
    Strings left = values(leftovers);
    arglist_destroy(list);
    arglist_destroy(input_files);
    arglist_destroy(leftovers);
    return left;
  }

  Added added() const {
    auto tail = [](const ArgList* l, size_t from) {
      Strings v = values(l);
      return Strings(v.begin() + static_cast<long>(from), v.end());
    };
    return {tail(FrontEndFlags, base_fe), tail(TransformerFlags, base_xf),
            tail(CodeGenFlags, base_cg), values(CPreprocessorFlags), values(CCompilerFlags)};
  }

  // Runs each row from a fresh state and compares every list exactly.
  template <size_t N>
  void expect_rows(const FlagCase (&rows)[N], const char* prefixes = nullptr) {
    for (const FlagCase& row : rows) {
      SCOPED_TRACE(describe(row.args));
      fresh(prefixes);
      Strings left = dispatch(row.args);
      Added got = added();
      EXPECT_EQ(got.fe, row.fe) << "front end";
      EXPECT_EQ(got.xf, row.xf) << "transformer";
      EXPECT_EQ(got.cg, row.cg) << "code generator";
      EXPECT_EQ(got.cpp, row.cpp) << "C preprocessor";
      EXPECT_EQ(got.cc, row.cc) << "C compiler";
      EXPECT_EQ(left, row.left) << "left over";
    }
  }

  size_t base_fe = 0, base_xf = 0, base_cg = 0;
  Strings inputs;
};

