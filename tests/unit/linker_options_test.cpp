// The linker options through the handler chain: what each adds to the
// linker's lists and what it leaves to the later handlers or declines; and
// link planning's reordering and unrolling flag.
#include "link/link.h"
#include "tests/unit/option_fixture.h"

namespace {

using LinkerOptions = OptionChain;

TEST_F(LinkerOptions, ListsFilled) {
  const struct {
    Strings args, options, libraries, left;
  } rows[] = {
      {{"mylib.LIB", "libfoo.a", "x.a"}, {}, {"mylib.LIB", "libfoo.a"}, {"x.a"}},
      {{"-map:m.map", "-aliases:", "-heap:1,2", "-stack:9", "-exports:e", "-ignoredups", "-warn",
        "-unmanglexps", "-usetmpfiles"},
       {"-map:m.map", "-aliases:", "-heap:1,2", "-stack:9", "-exports:e", "-ignoredups", "-warn",
        "-unmanglexps", "-usetmpfiles"}, {}, {}},
      {{"-blas", "-blas=lapack", "-blas=imsl", "-blas=atlas", "-imsl", "-useLapack"}, {},
       {"blas.lib", "blas.lib", "imslblas.lib", "f77blas.lib", "cblas.lib", "atlas.lib", "imsl.lib",
        "tmglib.lib", "lapack.lib"}, {}},
      {{"+map:m", "-blas=mkl", "-ML", "Pascal", "-cpu:p6", "-cpu:pentium", "-heapx", "-exportsx"}, {}, {},
       {"+map:m", "-blas=mkl", "-ML", "Pascal", "-cpu:pentium", "-heapx"}},
      // -L: attached, separate (whatever the next argument is), case-sensitive,
      // the directory cut to 260 characters.
      {{"-Ldir", "-L", "-O2", "-LIB"}, {"-PATH:dir", "-PATH:-O2", "-PATH:IB"}, {}, {}},
      {{"-L" + std::string(300, 'd')}, {"-PATH:" + std::string(260, 'd')}, {}, {}},
      {{"-L"}, {}, {}, {"-L"}},
      {{"-noconsole", "-N9", "-verbose", "-link", "/verbose", "-link"}, {"-verbose", "/verbose"}, {}, {"-link"}},
      {{"-ML", "MSVB", "-ML", "MSVC", "-ML", "BC"}, {"-UNMANGLEXPS", "-UNMANGLEXPS"}, {}, {}},
      // Added here and still handed on: -g reaches the Fortran and general
      // options, -P and -profile the general ones.
      {{"-g", "-gmin"}, {"-debug:full", "-debugtype:both", "-debug:partial", "-debugtype:both"}, {}, {}},
      {{"-P", "-profile"}, {"-debug:full", "-debugtype:both", "-debug:full", "-debugtype:both"},
       {"mcount.lib", "mcount.lib"}, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(describe(row.args));
    fresh();
    EXPECT_EQ(dispatch(row.args), row.left);
    EXPECT_EQ(values(LinkOptions), row.options);
    EXPECT_EQ(values(LinkLibraries), row.libraries);
  }
}

// Link planning's reordering and the unrolling flag, on the lists directly.
class Planning : public OptionChain {
 protected:
  static void plan() {
    ArgList* none = arglist_create();
    plan_link(none);
    arglist_destroy(none);
  }
};

TEST_F(Planning, UnrollingValuesAndTheLevel) {
  const struct {
    Strings args;
    Strings xf;  // the transformer's flags after planning
  } rows[] = {
      {{}, {"-hmif=p"}},
      {{"-U"}, {"-YUNROLL=auto", "-hmif=p"}},
      {{"-h8"}, {"-hmif=p", "-YUNROLL=8,40"}},
      {{"-H20"}, {"-hmif=p", "-YUNROLL=4,20"}},
      {{"-h8", "-H20"}, {"-hmif=p", "-YUNROLL=8,20"}},
      {{"-H0"}, {"-hmif=p"}},  // zero is no value: nothing is filled in
      {{"-h0", "-H20"}, {"-hmif=p"}},
      {{"-HF3"}, {"-hmif=p", "-YUNROLL=4,40,3"}},
      {{"-H0", "-HF3"}, {"-hmif=p", "-YUNROLL=4,0,3"}},  // a third value keeps a zero limit
      {{"-O3", "-h0"}, {"-hmif=p", "-YTRANSFORM_LOOPS"}},
      {{"-U", "-h8"}, {"-hmif=p", "-YUNROLL=8,40"}},
      {{"-h8", "-U"}, {"-YUNROLL=auto", "-hmif=p"}},
      {{"-U", "-H20"}, {"-hmif=p", "-YUNROLL=4,20"}},
      {{"-O3", "-h2"}, {"-hmif=p", "-YTRANSFORM_LOOPS", "-YUNROLL=2,40"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(describe(row.args));
    fresh();
    ASSERT_EQ(dispatch(row.args), Strings{});
    plan();
    EXPECT_EQ(values(TransformerFlags), row.xf);
  }
}

TEST_F(Planning, FirstGroupOfCodeGeneratorFlags) {
  fresh();
  // Replace the start-up flags by a list that exercises the reordering.
  while (arglist_first(CodeGenFlags)) arglist_remove_first(CodeGenFlags);
  for (const char* f : {"+N31", "-N76", "-N5", "-N32", "-N310", "+N34", "-N7", "!N33"})
    arglist_append(CodeGenFlags, f);
  VarNameCase = 0;
  plan();
  EXPECT_EQ(values(CodeGenFlags),
            (Strings{"+N31", "-N76", "-N32", "+N34", "!N33", "-N5", "-N310", "-N7"}));
}

}  // namespace
