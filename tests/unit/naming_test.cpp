// The suite's external names in the GNU mode's objects: the naming of the
// flags, the scan of a source, and the rename of real objects made by the
// GNU compilers there are (gfortran, and MinGW-w64's for either Windows
// target), linked with C that uses the suite's names and gfortran's.
#ifndef _WIN32
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tools/gnu/compile.h"
#include "tools/gnu/naming.h"

using gnu::LetterCase;
using gnu::NameRule;
using gnu::SymbolKind;
using Args = std::vector<std::string>;

namespace {

const Args G77FrontEnd = {"-ev", "-YEXT_NAMES=LCS", "-YCFRL=1", "-YCOM_NAMES=LCS", "-YVAR_NAMES=UCS",
                          "-YCOM_SFX=_", "-YCOM_PFX="};

TEST(Naming, FlagsAndTheirPrecedence) {
  const NameRule upper{LetterCase::Upper, "", ""}, lower{LetterCase::Lower, "", ""},
      asis{LetterCase::AsWritten, "", ""}, g77{LetterCase::Lower, "", "_"};
  struct Case {
    Args front_end, code_generator;
    NameRule procedures, commons;
  };
  const Case cases[] = {
      {{}, {"-N76", "-O2", "-N162"}, upper, upper},
      {{"-YVAR_NAMES=LCS"}, {"-N163"}, lower, lower},
      {{"-YVAR_NAMES=ASIS"}, {}, asis, asis},
      {{}, {"-N162", "-N163"}, lower, lower},
      {G77FrontEnd, {"-N108", "-N139", "-N162"}, g77, g77},
      // A later flag wins; an empty suffix is one; a case of no meaning is none.
      {{"-YEXT_NAMES=LCS", "-YEXT_NAMES=ASIS", "-YEXT_SFX=", "-YCOM_NAMES=up", "-YCOM_PFX=c_", "-YCOM_SFX=x"},
       {"-N108", "-N162"},
       asis,
       {LetterCase::Upper, "c_", "x"}},
      {{"-YEXT_PFX=p", "-YEXT_PFX=", "-YCOM_SFX=_"}, {"-N163"}, lower, {LetterCase::Lower, "", "_"}},
  };
  // The front end keeps the flags that bear on the naming, in order, for the code generator.
  auto kept = [](Args front_end) {
    std::string error;
    front_end.insert(front_end.end(), {"-FT.bif", "m.f"});
    return gnu::plan_front_end(gnu::target_for(""), front_end, &error)->unit.naming;
  };
  for (const Case& c : cases) {
    gnu::Naming naming = gnu::naming_from_flags(kept(c.front_end), c.code_generator);
    EXPECT_TRUE(naming.procedures == c.procedures && naming.commons == c.commons) << c.front_end.size();
    EXPECT_EQ(naming.gfortran_names(), c.procedures == g77 && c.commons == g77);
  }
  EXPECT_EQ(kept({"-YCLEN=132", "-YEXT_SFX=_", "-ev", "-YCOM_NAMES=LCS"}),
            (Args{"-YEXT_SFX=_", "-YCOM_NAMES=LCS"}));
}

TEST(Naming, SuiteNamesOfGfortransSymbols) {
  gnu::SourceNames source = gnu::scan_source(
      "      SUBROUTINE MeanSD(X)\n"
      "C     call meansd_ and note 'DOTP'\n"
      "      COMMON /Config/ s, /Blk/ t\n"
      "      CALL cNote(1)   ! NOTE\n"
      "      x = dotp(1) + 'Nope' // \"it''s\" // 'don''t'\n"
      "      END\n"
      "      subroutine bnd(n) bind(c,\n"
      "     & name = ' cnote_ ')\n"
      "      END\n",
      gnu::SourceForm::Fixed);
  const gnu::Naming deflt = gnu::naming_from_flags({}, {"-N162"}), asis = gnu::naming_from_flags({}, {}),
                    custom = gnu::naming_from_flags({"-YEXT_PFX=f_", "-YCOM_NAMES=LCS", "-YCOM_SFX=$"}, {"-N162"});
  struct Case {
    const gnu::Naming* naming;
    SymbolKind kind;
    const char *symbol, *decoration, *expected;  // "" for: keeps its name
  };
  const Case cases[] = {
      {&deflt, SymbolKind::Procedure, "meansd_", "", "MEANSD"},
      {&deflt, SymbolKind::Procedure, "my_sub_", "", "MY_SUB"},
      {&deflt, SymbolKind::Common, "config_", "_", ""},
      {&deflt, SymbolKind::Common, "_config_", "_", "_CONFIG"},
      {&asis, SymbolKind::Procedure, "meansd_", "", "MeanSD"},
      {&asis, SymbolKind::Common, "blk_", "", "Blk"},
      {&asis, SymbolKind::Procedure, "cnote_", "", ""},  // named by bind(c)
      {&asis, SymbolKind::Procedure, "dotp_", "", "dotp"},
      {&asis, SymbolKind::Procedure, "nope_", "", "NOPE"},  // only in a string and a comment
      {&asis, SymbolKind::Procedure, "note_", "", "NOTE"},
      {&custom, SymbolKind::Procedure, "meansd_", "", "f_MEANSD"},
      {&custom, SymbolKind::Common, "config_", "", "config$"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(gnu::suite_name(*c.naming, source, c.kind, c.symbol, c.decoration).value_or(""), c.expected)
        << c.symbol;
  for (const char* kept : {"__m_MOD_p", "main", "MAIN__", "__BLNK__", "_gfortran_st_write", "Mixed_", "x_y", "_",
                           "1a_", "a-b_"})
    EXPECT_FALSE(gnu::suite_name(deflt, source, SymbolKind::Procedure, kept, "")) << kept;
  EXPECT_FALSE(gnu::suite_name(gnu::naming_from_flags(G77FrontEnd, {"-N108", "-N162"}), source,
                               SymbolKind::Procedure, "meansd_", ""));

  gnu::SourceNames free = gnu::scan_source(
      "function f(x) bind(c, name=\"C_F\") ! bind(c, name='no_')\n"
      "interface; subroutine g_() bind(c)\n"
      "end interface\n"
      "call h(1, &\n"
      "  & 2); common /Free/ q\n",
      gnu::SourceForm::Free);
  EXPECT_EQ(free.bound, (std::set<std::string>{"C_F", "bind", "c", "f", "function", "g_", "interface", "name",
                                               "subroutine", "x"}));
  EXPECT_EQ(free.spelling.at("free"), "Free");
}

// --- Real objects ------------------------------------------------------------

const char* const Library =
    "      SUBROUTINE MEANSD(X, N, XMEAN)\n"
    "      INTEGER N, I, NITER\n"
    "      REAL X(N), XMEAN, SCALE\n"
    "      COMMON /CONFIG/ SCALE, NITER\n"
    "      XMEAN = 0\n"
    "      DO I = 1, N\n"
    "        XMEAN = XMEAN + X(I)\n"
    "      END DO\n"
    "      XMEAN = SCALE * XMEAN / N\n"
    "      NITER = NITER + 1\n"
    "      CALL CNOTE(N)\n"
    "      END\n"
    "      REAL FUNCTION DOTP(A, N)\n"
    "      INTEGER N\n"
    "      REAL A(N)\n"
    "      DOTP = A(1) * N\n"
    "      END\n";
// C using the suite's names, and C written for gfortran's.
const char* const SuiteCaller =
    "#include <stdio.h>\n"
    "extern struct { float scale; int niter; } CONFIG;\n"
    "void MEANSD(float *, int *, float *); float DOTP(float *, int *);\n"
    "void CNOTE(int *n) { printf(\"CNOTE %d\\n\", *n); }\n"
    "int main(void) { float x[2] = {1, 2}, m; int n = 2; CONFIG.scale = 2; MEANSD(x, &n, &m);\n"
    "  printf(\"%g %d %g\\n\", m, CONFIG.niter, DOTP(x, &n)); return 0; }\n";
const char* const GfortranCaller =
    "#include <stdio.h>\n"
    "extern struct { float scale; int niter; } config_;\n"
    "void meansd_(float *, int *, float *);\n"
    "void cnote_(int *n) { printf(\"cnote_ %d\\n\", *n); }\n"
    "int main(void) { float x[2] = {1, 2}, m; int n = 2; config_.scale = 2; meansd_(x, &n, &m);\n"
    "  printf(\"%g %d\\n\", m, config_.niter); return 0; }\n";

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void write_file(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

bool run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

class NamingObjects : public testing::TestWithParam<const char*> {};

TEST_P(NamingObjects, RenamedObjectsLinkWithCUnderEitherName) {
  std::string triple = GetParam(), prefix = triple.empty() ? "" : triple + "-";
  if (!run("command -v " + prefix + "gfortran")) GTEST_SKIP() << prefix << "gfortran is not installed";
  std::string decoration = triple == "i686-w64-mingw32" ? "_" : "", pic = triple.empty() ? "-fPIC " : "";
  char pattern[] = "/tmp/naming-test-XXXXXX";
  ASSERT_TRUE(mkdtemp(pattern));
  std::string dir = pattern;
  write_file(dir + "/stats.f", Library);
  write_file(dir + "/suite.c", SuiteCaller);
  write_file(dir + "/gf.c", GfortranCaller);
  ASSERT_TRUE(run("cd " + dir + " && " + prefix + "gfortran -c -O2 " + pic + "stats.f && " + prefix + "gcc -c " +
                  pic + "suite.c gf.c"));
  std::string object = read_file(dir + "/stats.o"), original = object;

  // A damaged object is refused and left as it was, wherever it is cut.
  gnu::Naming naming = gnu::naming_from_flags({}, {"-N162"});
  gnu::Renamed done;
  std::string error;
  for (size_t size = 0; size < object.size(); size += 1 + size / 8) {
    std::string cut = object.substr(0, size);
    if (!gnu::rename_symbols(&cut, naming, {}, &done, &error)) {
      EXPECT_EQ(cut, object.substr(0, size));
    }
  }

  // Common blocks have a rule of their own.
  std::string commons = object;
  ASSERT_TRUE(gnu::rename_symbols(&commons, gnu::naming_from_flags({"-YCOM_SFX=_c"}, {"-N162"}), {}, &done, &error));
  auto common = std::make_pair(decoration + "config_", decoration + "CONFIG_c");
  EXPECT_NE(std::find(done.renamed.begin(), done.renamed.end(), common), done.renamed.end());
  ASSERT_TRUE(gnu::rename_symbols(&object, naming, {}, &done, &error)) << error;
  const std::string d = decoration;
  using Pairs = std::vector<std::pair<std::string, std::string>>;
  std::sort(done.renamed.begin(), done.renamed.end());
  std::sort(done.aliases.begin(), done.aliases.end());
  EXPECT_EQ(done.renamed, (Pairs{{d + "cnote_", d + "CNOTE"}, {d + "config_", d + "CONFIG"},
                                 {d + "dotp_", d + "DOTP"}, {d + "meansd_", d + "MEANSD"}}));
  EXPECT_EQ(done.aliases, (Args{d + "dotp_", d + "meansd_"}));
  write_file(dir + "/stats.o", object);
  gnu::LinkSymbols symbols;
  ASSERT_TRUE(gnu::read_link_symbols(object, &symbols));
  for (const char* name : {"MEANSD", "meansd_", "DOTP", "dotp_", "CONFIG"})
    EXPECT_TRUE(symbols.defined.count(d + name)) << name;
  EXPECT_TRUE(symbols.undefined.count(d + "CNOTE"));
  EXPECT_FALSE(symbols.defined.count(d + "config_") || symbols.defined.count(d + "cnote_"));
  // Renaming again changes nothing.
  std::string again = object;
  ASSERT_TRUE(gnu::rename_symbols(&again, naming, {}, &done, &error));
  EXPECT_EQ(again, object);

  // The suite's caller links as it is; gfortran's through the link's
  // aliases, which also read the callers' objects and an archive's index.
  ASSERT_TRUE(run("cd " + dir + " && " + prefix + "ar rcs libstats.a stats.o"));
  for (const char* caller : {"suite", "gf"}) {
    gnu::LinkSymbols link;
    for (std::string input : {dir + "/" + caller + ".o", dir + "/libstats.a"})
      ASSERT_TRUE(gnu::read_link_symbols(read_file(input), &link));
    gnu::LinkAliases aliases = gnu::link_aliases(link, decoration);
    std::string options;
    for (const std::string& arg : gnu::alias_link_arguments(aliases)) options += " " + arg;
    EXPECT_EQ(aliases.defsym, std::string(caller) == "suite"
                                  ? Pairs{}
                                  : (Pairs{{d + "CNOTE", d + "cnote_"}, {d + "config_", d + "CONFIG"}}));
    std::string program = dir + "/" + caller + ".exe";
    ASSERT_TRUE(run("cd " + dir + " && " + prefix + "gfortran -o " + program + " " + caller + ".o -L. -lstats" +
                    options))
        << caller;
    if (triple.empty()) {
      EXPECT_EQ(std::system((program + " > " + dir + "/out").c_str()), 0);
      EXPECT_EQ(read_file(dir + "/out"), std::string(caller) == "suite" ? "CNOTE 2\n3 1 2\n" : "cnote_ 2\n3 1\n");
    }
  }

  // A routine that only a shared library defines under gfortran's name.
  if (triple.empty()) {
    write_file(dir + "/note.c", "#include <stdio.h>\nvoid cnote_(int *n) { printf(\"lib %d\\n\", *n); }\n");
    ASSERT_TRUE(run("cd " + dir + " && gcc -shared -fPIC -o libgf.so note.c && gcc -c -fPIC -DCNOTE=own suite.c"));
    gnu::LinkSymbols link;
    ASSERT_TRUE(gnu::read_link_symbols(read_file(dir + "/libgf.so"), &link));
    ASSERT_TRUE(gnu::read_link_symbols(object, &link));
    gnu::LinkAliases aliases = gnu::link_aliases(link, "");
    EXPECT_EQ(aliases.stubs, (Pairs{{"CNOTE", "cnote_"}}));
    write_file(dir + "/stubs.s", gnu::stub_assembly(aliases));
    ASSERT_TRUE(run("cd " + dir + " && gfortran -o so.exe suite.o stats.o stubs.s -L. -lgf -Wl,-rpath," + dir));
    EXPECT_EQ(std::system((dir + "/so.exe > " + dir + "/out").c_str()), 0);
    EXPECT_EQ(read_file(dir + "/out"), "lib 2\n3 1 2\n");
  }
  EXPECT_FALSE(gnu::read_link_symbols("GROUP ( /lib/libc.so.6 )", &symbols));
  run("rm -rf " + dir);
}

INSTANTIATE_TEST_SUITE_P(Targets, NamingObjects, testing::Values("", "i686-w64-mingw32", "x86_64-w64-mingw32"));

}  // namespace
#endif
