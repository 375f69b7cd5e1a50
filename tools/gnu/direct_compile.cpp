// The front end's compile without the gfortran driver in between. gfortran
// -c itself only runs the compiler proper (f951) and the assembler, and the
// driver's own start and its two children cost a build system's one-source
// call about as much as the driver and the three tools together. So the
// front end learns what gfortran would run for a command, once per command
// shape (`gfortran -###` with placeholder names in place of the source and
// the object), checks that the lesson holds by asking gfortran again with the
// first real names, and then runs those steps itself, with the names of each
// source put in, in the same environment that gfortran gives them.
//
// What is learnt is kept in the tools' cache directory, beside the learnt
// flags, under the command shape and the search path, with the size and time
// of every program involved: a new gfortran is learnt afresh. Only plain names
// (no blank, quote, backslash or dollar) go this way, and any failure of the
// steps sends the compile back to gfortran itself, so a missing, stale or
// damaged lesson only costs time.
#include "tools/gnu/direct_compile.h"

#include <algorithm>
#include <cstdlib>

#include "tools/gnu/cache.h"
#include "tools/gnu/unit_file.h"

namespace gnu {
namespace {

const char* const SourcePlaceholder = "ZzF90SourceZz";
const char* const DirectoryPlaceholder = "/ZzF90DirectoryZz";
const char* const StemPlaceholder = "ZzF90ObjectZz";
const char* const LessonHeader = "direct compile 1";
const char* const NoLesson = "none";

bool is_assignment(const std::string& line) {
  size_t eq = line.find('=');
  if (eq == 0 || eq == std::string::npos) return false;
  for (size_t i = 0; i < eq; ++i) {
    char c = line[i];
    bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    if (!letter && !(i > 0 && c >= '0' && c <= '9')) return false;
  }
  return true;
}

// One command line of the listing: arguments after single blanks, those
// with other than letters, digits and "_/-." in double quotes, where a
// backslash stands before '"', '\' and '$'.
std::optional<Args> command_of(const std::string& line) {
  Args argv;
  size_t i = 0;
  while (i < line.size()) {
    if (line[i] != ' ') return std::nullopt;
    ++i;
    std::string arg;
    if (i < line.size() && line[i] == '"') {
      for (++i; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) ++i;
        arg += line[i];
      }
      if (i == line.size()) return std::nullopt;
      ++i;
    } else {
      while (i < line.size() && line[i] != ' ') arg += line[i++];
      if (arg.empty()) return std::nullopt;
    }
    argv.push_back(arg);
  }
  if (argv.empty()) return std::nullopt;
  return argv;
}

// `text` with every occurrence of a `from` string replaced by its `to`,
// left to right; what was put in is not looked at again.
std::string substitute(const std::string& text, const std::vector<std::pair<std::string, std::string>>& names) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    bool replaced = false;
    for (const auto& name : names)
      if (!name.first.empty() && text.compare(i, name.first.size(), name.first) == 0) {
        out += name.second;
        i += name.first.size();
        replaced = true;
        break;
      }
    if (!replaced) out += text[i++];
  }
  return out;
}

// The temporary files the listing names: what follows "<tmp>/cc" to the end
// of an argument, in order of first appearance.
Args temporaries(const CompileSteps& steps, const std::string& tmp) {
  Args found;
  std::string mark = tmp + "/cc";
  for (const CompileStep& step : steps)
    for (const std::string& arg : step.command) {
      size_t at = arg.find(mark);
      if (at == std::string::npos) continue;
      std::string name = arg.substr(at);
      if (std::find(found.begin(), found.end(), name) == found.end()) found.push_back(name);
    }
  return found;
}

// A file's extension with its dot ("" for none): a temporary file's, which
// the compiler's steps may go by, and the source's, which names its form.
std::string extension(const std::string& name) {
  std::string suffix = suffix_of(name);
  return suffix.empty() ? "" : "." + suffix;
}

std::string text_of(const Args& argv) {
  std::string text;
  for (const std::string& arg : argv) text += arg + "\n";
  return text;
}

// What decides gfortran's steps besides the command: where programs are found.
std::string lesson_key(const Args& shape) {
  std::string key = text_of(shape);
  for (const char* name : {"PATH", "GCC_EXEC_PREFIX", "COMPILER_PATH"}) {
    const char* value = std::getenv(name);
    key += std::string(name) + (value ? "=" + std::string(value) : "") + "\n";
  }
  return key;
}

// The programs a lesson relies on, each as "<path> <size> <time>".
std::optional<Args> program_stamps(const Args& gfortran_command, const CompileSteps& steps) {
  Args programs = {gfortran_command[0]};
  for (const CompileStep& step : steps) programs.push_back(step.command[0]);
  Args stamps;
  for (const std::string& program : programs) {
    std::string path = find_program(program);
    std::string stamp = path.empty() ? "" : source_stamp(path);
    if (stamp.empty()) return std::nullopt;
    stamps.push_back(path + " " + stamp);
  }
  return stamps;
}

// What `gfortran -###` prints for a command, its temporary files named in `tmp`.
std::optional<std::string> listing(const Args& command, const std::string& tmp) {
  Args argv = command;
  argv.insert(argv.begin() + 1, "-###");
  std::string text;
  if (!run_steps_captured({{{"TMPDIR=" + tmp}, argv}}, tmp + "/direct-compile.listing", &text)) return std::nullopt;
  return text;
}

}  // namespace

bool plain_name(const std::string& name) {
  if (name.empty()) return false;
  for (unsigned char c : name)
    if (c <= ' ' || c >= 127 || c == '"' || c == '\'' || c == '\\' || c == '$' || c == '`') return false;
  return true;
}

std::optional<CompileSteps> parse_driver_listing(const std::string& text) {
  CompileSteps steps;
  Args environment;
  for (const std::string& line : split(text, '\n')) {
    if (!line.empty() && line[0] == ' ') {
      std::optional<Args> command = command_of(line);
      if (!command) return std::nullopt;
      steps.push_back({environment, *command});
      environment.clear();
    } else if (is_assignment(line)) {
      environment.push_back(line);
    }
  }
  if (steps.empty()) return std::nullopt;
  return steps;
}

CompileSteps instantiate(const DirectCompile& lesson, const DirectNames& names) {
  std::vector<std::pair<std::string, std::string>> replace = {
      {SourcePlaceholder + extension(names.source), names.source},
      {DirectoryPlaceholder, names.directory},
      {StemPlaceholder, names.stem}};
  for (size_t i = 0; i < lesson.temporaries.size(); ++i)
    replace.push_back({lesson.temporaries[i], i < names.temporaries.size() ? names.temporaries[i] : ""});
  CompileSteps steps = lesson.steps;
  for (CompileStep& step : steps) {
    for (std::string& assignment : step.environment) assignment = substitute(assignment, replace);
    for (std::string& arg : step.command) arg = substitute(arg, replace);
  }
  return steps;
}

std::string format_lesson(const std::string& key, const KeptLesson& kept) {
  Args items = {LessonHeader, key};
  const std::optional<DirectCompile>& lesson = kept.lesson;
  if (!lesson) {
    items.push_back(NoLesson);
    return format_flag_list(items);
  }
  auto counted = [&items](const Args& list) {
    items.push_back(std::to_string(list.size()));
    items.insert(items.end(), list.begin(), list.end());
  };
  items.push_back("steps");
  counted(lesson->stamps);
  counted(lesson->temporaries);
  items.push_back(std::to_string(lesson->steps.size()));
  for (const CompileStep& step : lesson->steps) {
    counted(step.environment);
    counted(step.command);
  }
  items.push_back("end");  // a file cut short is not a lesson
  return format_flag_list(items);
}

std::optional<KeptLesson> parse_lesson(const std::string& key, const std::string& text) {
  std::optional<Args> items = parse_flag_list(text);
  if (!items || items->size() < 3 || (*items)[0] != LessonHeader || (*items)[1] != key) return std::nullopt;
  if ((*items)[2] == NoLesson && items->size() == 3) return KeptLesson{};
  if ((*items)[2] != "steps") return std::nullopt;
  size_t at = 3;
  // A count of what follows, of four digits at most, and no more than is there.
  auto count = [&]() -> std::optional<size_t> {
    if (at >= items->size() || (*items)[at].size() > 4) return std::nullopt;
    std::optional<unsigned long long> n = parse_digits((*items)[at], 10, items->size() - at - 1, Beyond::Refused);
    if (!n) return std::nullopt;
    ++at;
    return static_cast<size_t>(*n);
  };
  auto list = [&](Args* out) {
    std::optional<size_t> n = count();
    if (!n) return false;
    out->assign(items->begin() + at, items->begin() + at + *n);
    at += *n;
    return true;
  };
  DirectCompile lesson;
  std::optional<size_t> steps;
  if (!list(&lesson.stamps) || !list(&lesson.temporaries) || !(steps = count()) || *steps == 0) return std::nullopt;
  for (size_t i = 0; i < *steps; ++i) {
    CompileStep step;
    if (!list(&step.environment) || !list(&step.command) || step.command.empty()) return std::nullopt;
    lesson.steps.push_back(step);
  }
  if (at + 1 != items->size() || items->back() != "end") return std::nullopt;
  return KeptLesson{lesson};
}

namespace {

std::optional<DirectCompile> learn_direct_compile(const Args& shape, const Args& first, const DirectNames& names,
                                                  const std::string& tmp) {
  std::optional<std::string> text = listing(shape, tmp);
  std::optional<CompileSteps> steps = text ? parse_driver_listing(*text) : std::nullopt;
  if (!steps) return std::nullopt;
  DirectCompile lesson;
  lesson.steps = *steps;
  lesson.temporaries = temporaries(*steps, tmp);
  std::optional<Args> stamps = program_stamps(shape, *steps);
  if (!stamps) return std::nullopt;
  lesson.stamps = *stamps;
  // The lesson holds if it gives, for the first real names, what gfortran
  // itself lists for them.
  std::optional<std::string> check = listing(first, tmp);
  std::optional<CompileSteps> listed = check ? parse_driver_listing(*check) : std::nullopt;
  if (!listed) return std::nullopt;
  DirectNames with_theirs = names;
  with_theirs.temporaries = temporaries(*listed, tmp);
  if (with_theirs.temporaries.size() != lesson.temporaries.size() || instantiate(lesson, with_theirs) != *listed)
    return std::nullopt;
  return lesson;
}

}  // namespace

DirectResult compile_directly(const Args& command, const std::string& capture, std::string* diagnostics) {
  // ... -o <directory>/<stem>.bif.object -x <language> <source>
  size_t n = command.size();
  if (n < 6 || command[n - 5] != "-o" || command[n - 3] != "-x") return DirectResult::NotTried;
  const std::string& object = command[n - 4];
  const std::string& source = command[n - 1];
  size_t slash = object.rfind('/');
  if (slash == std::string::npos || slash == 0 || !ends_with(object, ".bif.object") || !plain_name(object) ||
      !plain_name(source) || source[0] == '-')
    return DirectResult::NotTried;
  DirectNames names;
  names.source = source;
  names.directory = object.substr(0, slash);
  names.stem = object.substr(slash + 1, object.size() - slash - 1 - std::string(".bif.object").size());
  if (names.stem.empty()) return DirectResult::NotTried;

  // The command with placeholders for the object and the source.
  Args shape = command;
  shape[n - 4] = DirectoryPlaceholder + std::string("/") + StemPlaceholder + ".bif.object";
  shape[n - 1] = SourcePlaceholder + extension(source);
  std::string key = lesson_key(shape);
  std::string path = cache_file("direct-", key);
  if (path.empty()) return DirectResult::NotTried;
  std::string text;
  std::optional<KeptLesson> kept;
  if (read_text(path, &text)) kept = parse_lesson(key, text);
  if (kept && kept->lesson && program_stamps(shape, kept->lesson->steps) != kept->lesson->stamps) kept.reset();
  if (!kept) {
    // Learning costs about what it saves; where it cannot be kept, gfortran does.
    if (!writable_directory(path.substr(0, path.rfind('/')))) return DirectResult::NotTried;
    kept = KeptLesson{learn_direct_compile(shape, command, names, names.directory)};
    replace_file(path, format_lesson(key, *kept));
  }
  if (!kept->lesson) return DirectResult::NotTried;

  const DirectCompile& lesson = *kept->lesson;
  for (size_t i = 0; i < lesson.temporaries.size(); ++i) {
    std::string temporary = lesson.temporaries[i];
    names.temporaries.push_back(object + "-" + std::to_string(i + 1) + extension(temporary));
  }
  CompileSteps steps = instantiate(lesson, names);
  bool ok = run_steps_captured(steps, capture, diagnostics);
  for (const std::string& temporary : names.temporaries) remove_file(temporary);
  if (!ok) remove_file(object);
  return ok ? DirectResult::Compiled : DirectResult::Failed;
}

}  // namespace gnu
