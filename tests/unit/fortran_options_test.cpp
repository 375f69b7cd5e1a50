// The Fortran language options through the whole handler chain: the exact
// flags each family hands the front end (fe), transformer (xf) and code
// generator (cg), and what is left when an option is declined.
#include <climits>

#include "driver/handlers.h"
#include "tests/unit/option_fixture.h"

namespace {

using FortranOptions = OptionChain;

TEST_F(FortranOptions, SourceLanguage) {
  const FlagCase rows[] = {
      // args, fe, xf, cg, cpp, cc, left
      {{"-ffree"}, {"-ffree"}, {}, {}, {}, {}, {}},
      {{"-f", "free"}, {"-ffree"}, {}, {}, {}, {}, {}},
      {{"-ffixed", "-f", "fixed"}, {"-ffixed", "-ffixed"}, {}, {}, {}, {}, {}},
      {{"-falt_fixed", "-f", "alt_fixed"}, {"-falt_fixed", "-falt_fixed"}, {}, {}, {}, {}, {}},
      {{"-ffree", "-ffixed"}, {"-ffree", "-ffixed"}, {}, {}, {}, {}, {}},
      {{"-f", "freeform"}, {}, {}, {}, {}, {}, {"-f", "freeform"}},
      {{"-ffreeform", "-FFREE", "-ffortran"}, {}, {}, {}, {}, {}, {"-ffreeform", "-FFREE", "-ffortran"}},
      {{"+ffree", "!ffree"}, {}, {}, {}, {}, {}, {"+ffree", "!ffree"}},
      {{"-f"}, {}, {}, {}, {}, {}, {"-f"}},
      {{"-t132"}, {"-YCLEN=132"}, {"-YCLEN=132"}, {}, {}, {}, {}},
      {{"-t", "132"}, {"-YCLEN=132"}, {"-YCLEN=132"}, {}, {}, {}, {}},
      {{"-t0072"}, {"-YCLEN=0072"}, {"-YCLEN=0072"}, {}, {}, {}, {}},
      // Declined here, then taken by the general options as a -t pair.
      {{"-t", "x132"}, {"-tx132"}, {}, {}, {}, {}, {}},
      {{"-g77"},
       {"-ev", "-YEXT_NAMES=LCS", "-YCFRL=1", "-YCOM_NAMES=LCS", "-YVAR_NAMES=UCS", "-YCOM_SFX=_",
        "-YCOM_PFX="},
       {}, {"-N108", "-N139"}, {}, {}, {}},
      {{"-YX", "-Y", "X"}, {"-f77_x", "-f77_x"}, {}, {}, {}, {}, {}},
      {{"-YVF_CHAR", "-Y", "VF_CHAR"}, {}, {"-YVF_CHAR", "-YVF_CHAR"}, {}, {}, {}, {}},
      {{"-YEXT_NAMES=ASIS", "-Y", "CFRL=0"}, {"-YEXT_NAMES=ASIS", "-YCFRL=0"}, {}, {}, {}, {}, {}},
      {{"-Y", "-O"}, {"-Y-O"}, {}, {}, {}, {}, {}},
      {{"-YXX"}, {"-YXX"}, {}, {}, {}, {}, {}},
      {{"-Y"}, {}, {}, {}, {}, {}, {"-Y"}},
      {{"-i2", "-i16", "-i4", "-i32", "-i8", "-i64"},
       {"-i16", "-i16", "-i32", "-i32", "-i64", "-i64"}, {}, {}, {}, {}, {}},
      {{"-i3", "-i"}, {}, {}, {}, {}, {}, {"-i3", "-i"}},
  };
  expect_rows(rows);
}

TEST_F(FortranOptions, VariableNameCaseFollowsTheLastOption) {
  const struct {
    Strings args;
    int var_name_case;
  } rows[] = {
      {{}, 1},
      {{"-YVAR_NAMES=LCS"}, 2},
      {{"-Y", "VAR_NAMES=ASIS"}, 0},
      {{"-YVAR_NAMES=LCS", "-g77"}, 1},
      {{"-g77", "-YVAR_NAMES=LCS"}, 2},
      {{"-YVAR_NAMES=LCS", "-YVAR_NAMES=UCS"}, 1},
      {{"-YVAR_NAMES=lcs"}, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(describe(row.args));
    fresh();
    EXPECT_EQ(dispatch(row.args), Strings{});
    EXPECT_EQ(VarNameCase, row.var_name_case);
  }
}

TEST_F(FortranOptions, Switches) {
  const FlagCase rows[] = {
      {{"-N6", "-N11", "-N80", "-N111"}, {}, {}, {"-N6", "-N18", "-N80", "-N6"}, {}, {}, {}},
      {{"-N19"}, {}, {"-YALIAS_ARG"}, {"+N19"}, {}, {}, {}},
      {{"+N19", "!N20"}, {}, {"-YALIAS_ARG", "-YALIAS_ARG"}, {"+N19", "+N20"}, {}, {}, {}},
      {{"-N25", "-N26", "-N27"}, {}, {"-YN25"}, {}, {}, {}, {}},
      {{"-N113"}, {"-sfloat64"}, {}, {}, {}, {}, {}},
      {{"-N12", "-N", "-N6x", "+N6", "!N113"}, {}, {}, {}, {}, {}, {"-N12", "-N", "-N6x", "+N6", "!N113"}},
  };
  expect_rows(rows);
}

TEST_F(FortranOptions, PassedOnToTheFrontEnd) {
  const FlagCase rows[] = {
      {{"-dB"}, {"-dB"}, {}, {}, {}, {}, {}},
      {{"-dR"}, {"-dR"}, {}, {"+N6"}, {}, {}, {}},
      {{"-eR"}, {"-eR"}, {}, {"-N6"}, {}, {}, {}},
      {{"-dx", "-d", "-e", "-eRx", "-R", "-R7"}, {"-dx", "-d", "-e", "-eRx", "-R", "-R7"}, {}, {}, {}, {}, {}},
      // Left for the general options, which take it.
      {{"-dryrun"}, {}, {}, {}, {}, {}, {}},
      {{"-s", "-syntax"}, {"-ev", "-dB"}, {}, {}, {}, {}, {}},
      {{"-sx", "-syntaxx"}, {}, {}, {}, {}, {}, {"-sx", "-syntaxx"}},
      {{"-V"}, {"-V"}, {}, {}, {}, {}, {}},
      {{"-Vx"}, {}, {}, {}, {}, {}, {"-Vx"}},
      {{"-xabc", "-x", "abc", "-x", "-O"}, {"-xabc", "-xabc", "-x-O"}, {}, {}, {}, {}, {}},
      {{"-x"}, {}, {}, {}, {}, {}, {"-x"}},
  };
  expect_rows(rows);
}

TEST_F(FortranOptions, Messages) {
  const FlagCase rows[] = {
      {{"-m3", "-m"}, {"-m3"}, {}, {}, {}, {}, {"-m"}},
      {{"-z2", "-z", "2"}, {"-m2", "-m2"}, {}, {}, {}, {}, {}},
      {{"-z", "x"}, {}, {}, {}, {}, {}, {"-z", "x"}},
      {{"-M12, 13"}, {"-M12, 13"}, {}, {}, {}, {}, {}},
      {{"-Mx", "-M1x", "-M"}, {}, {}, {}, {}, {}, {"-Mx", "-M1x", "-M"}},
      {{"-Z", "1,2 3"}, {"-M1", "-M2", "-M3"}, {}, {}, {}, {}, {}},
      {{"-Z1,, ,2"}, {"-M1", "-M2"}, {}, {}, {}, {}, {}},
      {{"-Z", " , "}, {}, {}, {}, {}, {}, {}},
      // A piece that is not a number: the earlier pieces stay, the option
      // is declined and both arguments are left.
      {{"-Z", "1,a"}, {"-M1"}, {}, {}, {}, {}, {"-Z", "1,a"}},
      {{"-Z1,a"}, {"-M1"}, {}, {}, {}, {}, {"-Z1,a"}},
      {{"-Zx", "-Z"}, {}, {}, {}, {}, {}, {"-Zx", "-Z"}},
      {{"-q", "-q"}, {"-m4", "-m4"}, {}, {"-N62", "-N62"}, {}, {}, {}},
      {{"-w"}, {"-m4"}, {}, {}, {}, {}, {}},
      {{"-W5", "-W", "5"}, {"-N5", "-N5"}, {}, {}, {}, {}, {}},
      {{"-W", "x"}, {}, {}, {}, {}, {}, {"-W", "x"}},
      {{"-qq", "-ww"}, {}, {}, {}, {}, {}, {"-qq", "-ww"}},
  };
  expect_rows(rows);
}

TEST_F(FortranOptions, MaxGhToFrontEndAndTransformer) {
  const FlagCase rows[] = {
      {{"-T16", "-T", "8"}, {"-YMXGH=16", "-YMXGH=8"}, {"-YMXGH=16", "-YMXGH=8"}, {}, {}, {}, {}},
      // Not a number: the general options pass them on as -T options.
      {{"-T", "x", "-Tfoo", "-Trap=x"}, {"-Tx", "-Tfoo", "-Trap=x"}, {}, {}, {}, {}, {}},
  };
  expect_rows(rows);
}

TEST_F(FortranOptions, UnrollingValues) {
  const struct {
    Strings args;
    int count, limit, third;
    Strings left;
  } rows[] = {
      {{}, -2, -2, 0, {}},
      {{"-h4"}, 4, -2, 0, {}},
      {{"-H8"}, -2, 8, 0, {}},
      {{"-HF8"}, -2, -2, 8, {}},
      {{"-U"}, -1, -1, 0, {}},
      {{"-h4", "-U", "-h6"}, 6, -1, 0, {}},
      {{"-h99999999999999999999"}, INT_MAX, -2, 0, {}},
      {{"-HF", "-H", "-h", "-H8x", "-HF8x", "-Uname", "-hx"}, -2, -2, 0,
       {"-HF", "-H", "-h", "-H8x", "-HF8x", "-Uname", "-hx"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(describe(row.args));
    fresh();
    EXPECT_EQ(dispatch(row.args), row.left);
    EXPECT_EQ(UnrollCount, row.count);
    EXPECT_EQ(UnrollLimit, row.limit);
    EXPECT_EQ(UnrollThird, row.third);
  }
}

TEST_F(FortranOptions, SyntaxCheckSetsTheTargetKind) {
  const struct {
    Strings args;
    int kind;
  } rows[] = {
      {{"-dB"}, KindSyntaxOnly}, {{"-syntax"}, KindSyntaxOnly}, {{"-c", "-syntax"}, KindSyntaxOnly},
      {{"-dB", "-S"}, KindSyntaxOnly}, {{"-dR"}, KindConsoleExe}, {{"-s"}, KindConsoleExe},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(describe(row.args));
    fresh();
    dispatch(row.args);
    EXPECT_EQ(TargetKind, row.kind);
  }
}

// With the Windows prefix set, '/' is a minus prefix like '-'.
TEST_F(FortranOptions, SlashForms) {
  const FlagCase rows[] = {
      {{"/ffree", "/f", "fixed"}, {"-ffree", "-ffixed"}, {}, {}, {}, {}, {}},
      {{"/R7", "/dx", "/Yfoo", "/x", "abc"}, {"-R7", "-dx", "-Yfoo", "-xabc"}, {}, {}, {}, {}, {}},
      {{"/N20"}, {}, {"-YALIAS_ARG"}, {"+N20"}, {}, {}, {}},
      {{"/t", "72"}, {"-YCLEN=72"}, {"-YCLEN=72"}, {}, {}, {}, {}},
      {{"/Z", "4 5"}, {"-M4", "-M5"}, {}, {}, {}, {}, {}},
  };
  expect_rows(rows, "+!-/");
}

// A declining handler leaves the very same entries in place.
TEST_F(FortranOptions, DeclineLeavesTheListUntouched) {
  const Strings lines[] = {{"-f", "freeform"}, {"-Y"}, {"+ffree"}, {""}, {"-"}, {"plain"}, {"-dryrun"}};
  for (const Strings& line : lines) {
    SCOPED_TRACE(describe(line));
    ArgList* list = arglist_create();
    for (const std::string& a : line) arglist_append(list, a);
    ArgNode* head = arglist_first(list);
    handle_fortran_option(list);
    EXPECT_EQ(arglist_first(list), head);
    EXPECT_EQ(values(list), line);
    arglist_destroy(list);
  }
}

}  // namespace
