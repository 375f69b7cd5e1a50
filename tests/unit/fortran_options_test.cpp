// The Fortran language options through the whole handler chain: the exact
// flags each family hands the front end (fe), transformer (xf) and code
// generator (cg), the settings they steer, and what is left when an option
// is declined.
#include <climits>

#include "driver/handlers.h"
#include "tests/unit/option_fixture.h"

namespace {

using FortranOptions = OptionChain;

TEST_F(FortranOptions, FlagsHandedOn) {
  const FlagCase rows[] = {
      // args, fe, xf, cg, cpp, cc, left
      // Source form, line length, -g77, -Y and integer size.
      {{"-ffree", "-f", "fixed", "-falt_fixed", "-f", "alt_fixed"},
       {"-ffree", "-ffixed", "-falt_fixed", "-falt_fixed"}, {}, {}, {}, {}, {}},
      {{"-f", "freeform"}, {}, {}, {}, {}, {}, {"-f", "freeform"}},
      {{"-ffreeform", "-FFREE", "-ffortran"}, {}, {}, {}, {}, {}, {"-ffreeform", "-FFREE", "-ffortran"}},
      {{"+ffree", "!ffree"}, {}, {}, {}, {}, {}, {"+ffree", "!ffree"}},
      {{"-f"}, {}, {}, {}, {}, {}, {"-f"}},
      {{"-t0072", "-t", "132"}, {"-YCLEN=0072", "-YCLEN=132"}, {"-YCLEN=0072", "-YCLEN=132"}, {}, {}, {}, {}},
      // Declined here, then taken by the general options as a -t pair.
      {{"-t", "x132"}, {"-tx132"}, {}, {}, {}, {}, {}},
      {{"-g77"},
       {"-ev", "-YEXT_NAMES=LCS", "-YCFRL=1", "-YCOM_NAMES=LCS", "-YVAR_NAMES=UCS", "-YCOM_SFX=_",
        "-YCOM_PFX="},
       {}, {"-N108", "-N139"}, {}, {}, {}},
      {{"-YX", "-Y", "X", "-YXX"}, {"-f77_x", "-f77_x", "-YXX"}, {}, {}, {}, {}, {}},
      {{"-YVF_CHAR", "-Y", "VF_CHAR"}, {}, {"-YVF_CHAR", "-YVF_CHAR"}, {}, {}, {}, {}},
      {{"-YEXT_NAMES=ASIS", "-Y", "CFRL=0", "-Y", "-O"}, {"-YEXT_NAMES=ASIS", "-YCFRL=0", "-Y-O"}, {}, {}, {}, {}, {}},
      {{"-Y"}, {}, {}, {}, {}, {}, {"-Y"}},
      {{"-i2", "-i64"}, {"-i16", "-i64"}, {}, {}, {}, {}, {}},
      {{"-i3", "-i"}, {}, {}, {}, {}, {}, {"-i3", "-i"}},
      // -N switches; +N19 and !N20 act as their minus forms.
      {{"-N11", "-N19", "+N20", "!N19", "-N25", "-N26", "-N27", "-N113"}, {"-sfloat64"},
       {"-YALIAS_ARG", "-YALIAS_ARG", "-YALIAS_ARG", "-YN25"}, {"-N18", "+N19", "+N20", "+N19"}, {}, {}, {}},
      {{"-N12", "-N", "-N6x", "+N6", "!N113"}, {}, {}, {}, {}, {}, {"-N12", "-N", "-N6x", "+N6", "!N113"}},
      // Passed on to the front end; -dryrun is left for the general options.
      {{"-dB", "-dx", "-dryrun", "-d", "-e", "-eRx", "-R", "-R7"},
       {"-dB", "-dx", "-d", "-e", "-eRx", "-R", "-R7"}, {}, {}, {}, {}, {}},
      {{"-dR", "-eR"}, {"-dR", "-eR"}, {}, {"+N6", "-N6"}, {}, {}, {}},
      {{"-s", "-syntax", "-V"}, {"-ev", "-dB", "-V"}, {}, {}, {}, {}, {}},
      {{"-sx", "-syntaxx", "-Vx"}, {}, {}, {}, {}, {}, {"-sx", "-syntaxx", "-Vx"}},
      {{"-xabc", "-x", "abc", "-x", "-O"}, {"-xabc", "-xabc", "-x-O"}, {}, {}, {}, {}, {}},
      {{"-x"}, {}, {}, {}, {}, {}, {"-x"}},
      // Messages.
      {{"-m3", "-z2", "-z", "2", "-m"}, {"-m3", "-m2", "-m2"}, {}, {}, {}, {}, {"-m"}},
      {{"-z", "x"}, {}, {}, {}, {}, {}, {"-z", "x"}},
      {{"-M12, 13", "-M0"}, {"-M12, 13", "-M0"}, {}, {}, {}, {}, {}},
      {{"-Mx", "-M1x", "-M"}, {}, {}, {}, {}, {}, {"-Mx", "-M1x", "-M"}},
      {{"-Z", "1,2 3", "-Z1,, ,2", "-Z", " , "}, {"-M1", "-M2", "-M3", "-M1", "-M2"}, {}, {}, {}, {}, {}},
      // A piece that is not a number: the earlier pieces stay, the option
      // is declined and both arguments are left.
      {{"-Z", "1,a"}, {"-M1"}, {}, {}, {}, {}, {"-Z", "1,a"}},
      {{"-Z1,:"}, {"-M1"}, {}, {}, {}, {}, {"-Z1,:"}},
      {{"-Zx", "-Z"}, {}, {}, {}, {}, {}, {"-Zx", "-Z"}},
      {{"-q", "-q", "-w", "-W5", "-W", "5"}, {"-m4", "-m4", "-m4", "-N5", "-N5"}, {}, {"-N62", "-N62"}, {}, {}, {}},
      {{"-qq", "-ww", "-W", "x"}, {}, {}, {}, {}, {}, {"-qq", "-ww", "-W", "x"}},
      // -T; not a number, the general options pass it on as a -T option.
      {{"-T16", "-T", "8"}, {"-YMXGH=16", "-YMXGH=8"}, {"-YMXGH=16", "-YMXGH=8"}, {}, {}, {}, {}},
      {{"-T", "x", "-Tfoo", "-Trap=x"}, {"-Tx", "-Tfoo", "-Trap=x"}, {}, {}, {}, {}, {}},
  };
  expect_rows(rows);
}

TEST_F(FortranOptions, Settings) {
  const struct {
    Strings args;
    int var_name_case, count, limit, third, kind;
    Strings left;
  } rows[] = {
      // The variable-name case follows the last option that sets it.
      {{"-YVAR_NAMES=LCS"}, 2, -2, -2, 0, KindConsoleExe, {}},
      {{"-Y", "VAR_NAMES=ASIS"}, 0, -2, -2, 0, KindConsoleExe, {}},
      {{"-YVAR_NAMES=LCS", "-g77"}, 1, -2, -2, 0, KindConsoleExe, {}},
      {{"-g77", "-YVAR_NAMES=LCS"}, 2, -2, -2, 0, KindConsoleExe, {}},
      {{"-YVAR_NAMES=LCS", "-YVAR_NAMES=UCS"}, 1, -2, -2, 0, KindConsoleExe, {}},
      {{"-YVAR_NAMES=lcs"}, 1, -2, -2, 0, KindConsoleExe, {}},
      // Unrolling values.
      {{"-h4", "-H8", "-HF9"}, 1, 4, 8, 9, KindConsoleExe, {}},
      {{"-U"}, 1, -1, -1, 0, KindConsoleExe, {}},
      {{"-H8", "-U", "-h6"}, 1, 6, -1, 0, KindConsoleExe, {}},
      {{"-h99999999999999999999"}, 1, INT_MAX, -2, 0, KindConsoleExe, {}},
      // -Uname is the general options' undefined macro, not unrolling.
      {{"-HF", "-H", "-h", "-H8x", "-HF8x", "-Uname", "-hx"}, 1, -2, -2, 0, KindConsoleExe,
       {"-HF", "-H", "-h", "-H8x", "-HF8x", "-hx"}},
      // A syntax check sets the target kind, and a later -S does not raise it.
      {{"-dB", "-S"}, 1, -2, -2, 0, KindSyntaxOnly, {}},
      {{"-dR", "-s"}, 1, -2, -2, 0, KindConsoleExe, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(describe(row.args));
    fresh();
    EXPECT_EQ(dispatch(row.args), row.left);
    EXPECT_EQ(VarNameCase, row.var_name_case);
    EXPECT_EQ(UnrollCount, row.count);
    EXPECT_EQ(UnrollLimit, row.limit);
    EXPECT_EQ(UnrollThird, row.third);
    EXPECT_EQ(TargetKind, row.kind);
  }
}

}  // namespace
