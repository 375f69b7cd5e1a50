// The option language as data: every line of the files in tests/e2e/cases/
// is one run of the driver against the stand-in tools, and one test named
// after its file and line (Cases/OptionCases.Runs/general_14).
//
//   == m.f90                     words put before every case that follows
//   = ocgen -N76 ... -i Tm.int   the tool lines of a plain run (a new block
//                                of these after cases starts afresh; a
//                                file without one goes on with the block
//                                of the file before it, in name order)
//   -B19 => ixform ... | ocgen ... | olink -
//   -b1x => !1 ERROR: Unrecognized arguments: -b1x
//   [win32] /verbose => ...      a case for one target ([win32] or [posix])
//
// A case is its words (NAME=value words first set variables; "" quotes a
// word, {300*d} stands for 300 d's), "=>" and its expectations split at
// " | ": "<tool> <line>" is that tool's command line after its program
// ("<tool> -" when it does not run); the tools not named run as in the
// block. "!<status> <text>" expects that status and standard error ("\n"
// between lines) and no tool unless named; "echo" the standard output of
// -v: the temporary directory made, the tool lines, the directory removed
// ("dry": echoed but not run, as -dryrun does); "kept <names>" the files
// left in the run's temporary directory; "raw" compares the tool lines as
// run, a response file named ("@T<name>") and not read. Processor
// detection sees no processor unless a case sets F90_TEST_CPU.
// In expectations "I" is the installation, "T" the run's temporary
// directory, "{exe}" the executable suffix, and a '/' within a word the
// target's separator. Unless kept, a run leaves the temporary path empty.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "tests/support/harness.h"

namespace {

namespace fs = std::filesystem;
const char* const Tools[] = {"ftfront", "ixform", "ocgen", "OCC", "olink"};

std::string trim(const std::string& s) {
  size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
  return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

// "{300*d}" as 300 d's, "\n" as a line end, and, when `target`, the
// target's separator and suffix.
std::string expand(std::string s, bool target) {
  for (size_t at; (at = s.find("\\n")) != std::string::npos;) s.replace(at, 2, "\n");
  for (size_t at; (at = s.find('{')) != std::string::npos && s.find('*', at) != std::string::npos &&
                  std::isdigit(static_cast<unsigned char>(s[at + 1]));) {
    size_t star = s.find('*', at), end = s.find('}', star);
    s.replace(at, end + 1 - at, std::string(std::stoul(s.substr(at + 1, star - at - 1)), s[star + 1]));
  }
  if (!target) return s;
  std::string out;  // X() for each word but an option with the '/' prefix
  for (size_t at = 0, end = 0; end < s.size(); at = end + 1) {
    end = std::min(s.find(' ', at), s.size());
    std::string w = s.substr(at, end - at);
    out += (at ? " " : "") + (w.empty() || w[0] == '/' ? w : X(w));
  }
  return out;
}

// Words split at blanks; a blank or nothing between double quotes is kept.
std::vector<std::string> words(const std::string& s) {
  std::vector<std::string> w;
  bool in_word = false, quoted = false;
  for (char c : s) {
    if (c == ' ' && !quoted) {
      in_word = false;
      continue;
    }
    if (!in_word) w.emplace_back();
    in_word = true;
    if (c == '"') quoted = !quoted; else w.back() += c;
  }
  for (std::string& word : w) word = expand(word, false);
  return w;
}

// One line of a case file, with the words and tool lines of its block.
struct Case {
  std::string where, args, expected;
  std::vector<std::string> head;
  std::map<std::string, std::string> base;  // tool: its line in a plain run
};

// A case shows as its file and line where a listing names it.
void PrintTo(const Case& c, std::ostream* os) { *os << c.where; }

class OptionCases : public ::testing::TestWithParam<Case> {};

// Each case in a scratch installation of its own.
TEST_P(OptionCases, Runs) {
  const Case& c = GetParam();
  const std::string& expected = c.expected;
  Suite suite;
  suite.sources({"m.f90"});
  SCOPED_TRACE(c.where + ": " + c.args);
  std::vector<std::string> argv = words(c.args);
  std::map<std::string, std::optional<std::string>> env{{"F90_TEST_CPU", "none"}};
  while (!argv.empty() && argv[0].find('=') != std::string::npos && std::isupper(argv[0][0])) {
    env[argv[0].substr(0, argv[0].find('='))] = argv[0].substr(argv[0].find('=') + 1);
    argv.erase(argv.begin());
  }
  argv.insert(argv.begin(), c.head.begin(), c.head.end());
  std::map<std::string, std::string> lines = c.base;
  int status = 0;
  std::string err, out;
  bool echo = false, dry = false, raw = false;
  Lines kept;
  for (size_t at = 0, end = 0; end != std::string::npos; at = end + 3) {
    end = expected.find(" | ", at);
    std::string part = trim(expected.substr(at, end - at));
    if (part.empty()) continue;
    std::string key = part.substr(0, part.find(' '));
    std::string rest = part.size() > key.size() ? part.substr(key.size() + 1) : "";
    if (key[0] == '!') {
      status = std::stoi(key.substr(1));
      err = expand(rest, false) + "\n";
      lines.clear();
    } else if (key == "echo" || key == "dry") {
      echo = true;
      dry = key == "dry";
    } else if (key == "raw") {
      raw = true;
    } else if (key == "kept") {
      kept = words(rest);
    } else {
      lines[key] = rest;
    }
  }
  Lines want;
  for (const char* tool : Tools)
    if (lines.count(tool) && lines[tool] != "-")
      want.push_back(X("I/bin/") + tool + target_exe() + " " + expand(lines[tool], true));
  for (const std::string& line : want) out += echo ? line + "\n" : "";
  if (echo) out = temp_dir_echo(out);
  if (dry) want.clear();
  RunResult r = suite.run(argv, env);
  EXPECT_EQ(r.status, status);
  EXPECT_EQ(r.err, err);
  EXPECT_EQ(suite.normalize(r.out), out);
  EXPECT_EQ(raw ? suite.commands() : suite.lines(), want);
  Lines left = suite.temp_left();
  EXPECT_EQ(left.size(), kept.empty() ? 0u : 1u);
  for (const std::string& dir : left) EXPECT_EQ(suite.scratch.list("tmp/" + dir), kept);
}

// Every case of every file, for this target.
std::vector<Case> cases() {
  std::vector<Case> all;
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(F90_CASES_DIR)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  const std::string target = target_is_windows() ? "[win32] " : "[posix] ";
  Case block;
  bool in_block = false;
  for (const std::string& name : names) {
    std::ifstream in(std::string(F90_CASES_DIR) + "/" + name);
    int n = 0;
    for (std::string line; std::getline(in, line);) {
      ++n;
      line = trim(line);
      if (line.empty() || line[0] == '#' || (line[0] == '[' && line.rfind(target, 0) != 0)) continue;
      if (line[0] == '[') line = line.substr(target.size());
      if (line.rfind("== ", 0) == 0) {
        block.head = words(line.substr(3));
      } else if (line.rfind("= ", 0) == 0) {
        if (!in_block) block.base.clear();
        in_block = true;
        std::string rest = line.substr(2);
        block.base[rest.substr(0, rest.find(' '))] = rest.substr(rest.find(' ') + 1);
      } else {
        in_block = false;
        size_t arrow = line.find("=>");
        Case c = block;
        c.where = name.substr(0, name.find('.')) + "_" + std::to_string(n);
        c.args = trim(line.substr(0, arrow));
        c.expected = arrow == std::string::npos ? "!-1 no =>" : trim(line.substr(arrow + 2));
        all.push_back(c);
      }
    }
  }
  return all;
}

INSTANTIATE_TEST_SUITE_P(Cases, OptionCases, ::testing::ValuesIn(cases()),
                         [](const auto& info) { return info.param.where; });

}  // namespace
