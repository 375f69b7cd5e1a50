// The general options, the last handler of the chain: the flags they pass
// on and the bare -O level from ORVANE_BIG_O (the settings they steer, and
// the error of a second output name, are checked on the driver's runs).
#include <cstdlib>
#include <optional>

#include "tests/unit/option_fixture.h"

namespace {

using GeneralOptions = OptionChain;

TEST_F(GeneralOptions, FlagsPassedOn) {
  const FlagCase rows[] = {
      // args, fe, xf, cg, cpp, cc, left
      {{"-B19", "-Q19", "+Q19", "-Q20", "+Q20", "!B20", "+Q2", "-B20", "+B19"}, {},
       {"-YALIAS_ARG", "-YALIAS_ARG", "-YALIAS_ARG", "-YALIAS_ARG", "-YALIAS_ARG", "-YALIAS_ARG",
        "-YALIAS_ARG", "-YALIAS_ARG"},
       {"+N19", "+N19", "+N19", "+N20", "+N20", "+N20", "+N2", "+N20", "+N19"}, {}, {}, {}},
      // -N9 is the linker options' (the code generator's -N103).
      {{"-B5", "-Q77", "-Bx5", "-Q1", "+B5", "!B5", "+Qx", "-N9"}, {}, {},
       {"-N5", "-N77", "-Nx5", "-N1", "+N5", "+N5", "+Nx", "-N103"}, {}, {}, {}},
      {{"-B5x", "-B", "+B", "+Bx5x"}, {}, {}, {}, {}, {}, {"-B5x", "-B", "+B", "+Bx5x"}},
      // -U<macro> as -D<macro>; the bare -U is the Fortran options' unrolling.
      {{"-D", "FOO=1", "-DBAR", "-Iinc", "-I", "-x y", "-Ux", "-U"},
       {"-DFOO=1", "-DBAR", "-Iinc", "-I-x y", "-Ux"}, {}, {}, {"-DFOO=1", "-DBAR", "-Iinc", "-I-x y", "-Ux"},
       {}, {}},
      {{"-P", "-profile"}, {}, {}, {"-N25", "-N72", "-N25", "-N72"}, {}, {}, {}},
      {{"-trap=all", "-trap=", "-round=nearest"}, {}, {}, {"-trap=all", "-trap=", "-round=nearest"}, {}, {}, {}},
      {{"-tfoo", "-Trap=x", "-t", "q"}, {"-tfoo", "-Trap=x", "-tq"}, {}, {}, {}, {}, {}},
      {{"-b12", "-b", "12", "-b", ""}, {}, {}, {"-b12", "-b12", "-b"}, {}, {}, {}},
      // -b takes only digits; x is then an argument of its own.
      {{"-b1x", "-b", "x"}, {}, {}, {}, {}, {}, {"-b1x", "-b", "x"}},
      {{"-g", "-g", "-gmin", "-gfull", "-ggdb"}, {}, {}, {"-g", "-g", "-N8", "-g", "-N6", "-g", "-N153"},
       {}, {"-g", "-g"}, {}},
      {{"-gx", "-O4", "-keeps", "-V1", "-vv"}, {}, {}, {}, {}, {}, {"-gx", "-O4", "-keeps", "-V1", "-vv"}},
      // A bare option that needs a value but stands last.
      {{"-D"}, {}, {}, {}, {}, {}, {"-D"}},
      {{"-o"}, {}, {}, {}, {}, {}, {"-o"}},
      {{"+P", "!g", "+c"}, {}, {}, {}, {}, {}, {"+P", "!g", "+c"}},
  };
  expect_rows(rows);
}

TEST_F(GeneralOptions, BareOTakesItsLevelFromTheEnvironment) {
  auto set_big_o = [](const std::optional<std::string>& value) {
#ifdef _WIN32
    _putenv_s("ORVANE_BIG_O", value ? value->c_str() : "");  // an empty value removes it
#else
    value ? setenv("ORVANE_BIG_O", value->c_str(), 1) : unsetenv("ORVANE_BIG_O");
#endif
  };
  const char* old = std::getenv("ORVANE_BIG_O");
  const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
  const struct {
    std::optional<std::string> env;
    Strings args;
    int level;
  } rows[] = {
      {std::nullopt, {"-O"}, 2}, {"", {"-O"}, 2},         {"-O3", {"-O"}, 3},      {"-O0", {"-O3", "-O"}, 0},
      {"-o1", {"-O"}, 2},        {"-O3 ", {"-O"}, 2},     {"-O4", {"-O"}, 2},      {"-O1", {"-O", "-O3"}, 3},
      {"-O3", {"-O", "-O1"}, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.env.value_or("(unset)") + " " + describe(row.args));
    set_big_o(row.env);
    fresh();
    EXPECT_EQ(dispatch(row.args), Strings{});
    EXPECT_EQ(OptLevel, row.level);
  }
  set_big_o(saved);
}

}  // namespace
