// The five tools of the GNU mode, each running the plan its arguments make
// (compile.cpp, link_common.cpp), for the target chosen once as it starts.
#include "tools/gnu/gnu.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "tools/gnu/compile.h"
#include "tools/gnu/direct_compile.h"
#include "tools/gnu/learnt_flags.h"
#include "tools/gnu/link.h"
#include "tools/gnu/naming.h"
#include "tools/gnu/process.h"

namespace gnu {
namespace {

// Runs a compile with its standard error captured; gfortran colours what it
// prints only on a terminal: when ours is one, it is asked to all the same.
// The front end's compile goes as gfortran's own steps when it can.
enum class Compile { ThroughGfortran, DirectlyWhereLearnt };
bool run_captured(const std::string& tool, Args argv, const std::string& capture, std::string* captured,
                  Compile how) {
  const char* term = std::getenv("TERM");
  if (isatty(2) && term && std::strcmp(term, "dumb") != 0)
    argv.insert(argv.begin() + 1, "-fdiagnostics-color=always");
  echo(tool, argv);
  if (how == Compile::DirectlyWhereLearnt) {
    DirectResult direct = compile_directly(argv, capture, captured);
    if (direct != DirectResult::NotTried) return direct == DirectResult::Compiled;
  }
  return run_steps_captured({{{}, argv}}, capture, captured);
}

std::optional<Unit> read_unit(const std::string& tool, UnitKind kind, const std::string& path) {
  std::string text;
  if (!read_text(path, &text)) {
    fail(tool, "cannot read " + path);
    return std::nullopt;
  }
  std::optional<Unit> unit = parse_unit(kind, text);
  if (!unit)
    fail(tool, path + " is not a " + (kind == UnitKind::FrontEnd ? "front-end" : "transformer") +
                   " file of the GNU-backed tools");
  return unit;
}

int front_end(const Target& target, const Args& args) {
  std::string error;
  std::optional<FrontEndPlan> plan = plan_front_end(target, args, &error);
  if (!plan) return fail("ftfront", error);
  for (const std::string& w : plan->warnings) std::fprintf(stderr, "ftfront: warning: %s\n", w.c_str());
  Unit& unit = plan->unit;
  if (plan->check_only) {
    if (!run("ftfront", plan->check)) return 1;
  } else if (!program_found("ftfront", target.fortran_compiler)) {
    return 1;
  } else {
    // The flags the code generator added for the source before this one,
    // else those it added in an earlier run that gave the front end the
    // same, else the guess.
    Args later = plan->guessed_later_flags;
    std::string text;
    std::optional<Args> learnt;
    if (read_text(later_flags_file(plan->output), &text)) learnt = parse_flag_list(text);
    if (!learnt || !plausible_later_flags(*learnt)) learnt = recall_later_flags(unit.learnt_key);
    if (learnt) later = *learnt;
    std::string object = absolute_path(front_end_object(plan->output));
    std::string capture = plan->output + ".diagnostics", diagnostics;
    unit.stamp = source_stamp(source_argument(unit));
    if (run_captured("ftfront", compile_command(target, unit, later, object), capture, &diagnostics,
                     Compile::DirectlyWhereLearnt)) {
      unit.object = object;
      unit.object_flags = later;
      unit.diagnostics = diagnostics;
    } else {
      // Whether the source passes is the check's answer alone (a compile
      // may also fail at an optimisation level that the run does not use).
      remove_file(object);
      if (!run_captured("ftfront", plan->check, capture, &diagnostics, Compile::ThroughGfortran)) {
        show(diagnostics);
        return 1;
      }
      // It passes: the code generator compiles and shows what gfortran says.
    }
  }
  if (!write_text(plan->output, format_unit(UnitKind::FrontEnd, unit)))
    return fail("ftfront", "cannot write " + plan->output);
  return 0;
}

int transformer(const Args& args) {
  std::string error;
  std::optional<TransformPlan> plan = plan_transformer(args, &error);
  if (!plan) return fail("ixform", error);
  std::optional<Unit> unit = read_unit("ixform", UnitKind::FrontEnd, plan->input);
  if (!unit) return 1;
  apply_transformer_flags(plan->flags, &*unit);
  if (!write_text(plan->output, format_unit(UnitKind::Transformed, *unit)))
    return fail("ixform", "cannot write " + plan->output);
  return 0;
}

// Gives the object's external procedures and common blocks the names that
// the front end's and the code generator's flags ask for (naming.h). An
// object it cannot read is not left behind with gfortran's names.
bool name_symbols(const Unit& unit, const Args& flags, const std::string& object) {
  Naming naming = naming_from_flags(unit.naming, flags);
  if (naming.gfortran_names()) return true;
  std::string bytes, source, error;
  if (!read_text(object, &bytes)) return fail("ocgen", "cannot read " + object) == 0;
  // A source that cannot be read again has no bind(c) names or spellings to find.
  read_text(source_argument(unit), &source);
  SourceForm form = std::find(unit.flags.begin(), unit.flags.end(), "-ffixed-form") != unit.flags.end()
                        ? SourceForm::Fixed
                        : SourceForm::Free;
  Renamed done;
  bool named = rename_symbols(&bytes, naming, scan_source(source, form), &done, &error);
  if (!named) error = "cannot name the symbols of " + object + ": " + error;
  if (named && !done.renamed.empty() && !write_text(object, bytes)) {
    named = false;
    error = "cannot write " + object;
  }
  if (named) return true;
  remove_file(object);
  return fail("ocgen", error) == 0;
}

int code_generator(const Target& target, const Args& args) {
  std::string error;
  std::optional<CodeGenArgs> parsed = parse_code_generator_args(args, &error);
  if (!parsed) return fail("ocgen", error);
  std::optional<Unit> unit = read_unit("ocgen", UnitKind::Transformed, parsed->input);
  if (!unit) return 1;
  Args later = code_generator_later_flags(*parsed, *unit);
  // For the front end of the next source; a file that cannot be written only costs time.
  std::string learnt = later_flags_file(parsed->input), text;
  if (!read_text(learnt, &text) || text != format_flag_list(later))
    write_text(learnt, format_flag_list(later));
  remember_later_flags(unit->learnt_key, later);
  if (!unit->object.empty()) {
    if (front_end_object_fits(*unit, later, source_stamp(source_argument(*unit))) &&
        is_file(unit->object) && move_file(unit->object, parsed->object)) {
      show(unit->diagnostics);
      return name_symbols(*unit, parsed->flags, parsed->object) ? 0 : 1;
    }
    remove_file(unit->object);
  }
  if (!run("ocgen", compile_command(target, *unit, later, parsed->object))) return 1;
  return name_symbols(*unit, parsed->flags, parsed->object) ? 0 : 1;
}

int c_compiler(const Target& target, const Args& args) {
  std::string error;
  std::optional<Args> command = plan_c_compiler(target, args, &error);
  if (!command) return fail("OCC", error);
  return run("OCC", *command) ? 0 : 1;
}

// The directories where the compiler's linker finds "-l" libraries
// (gfortran -print-search-dirs, "libraries: =<dir>:<dir>...").
Args compiler_library_dirs(const Target& target) {
  std::string program = find_program(target.fortran_compiler);
  if (program.empty() || !plain_name(program)) return {};
  FILE* pipe = popen(("'" + program + "' -print-search-dirs 2>/dev/null").c_str(), "r");
  if (!pipe) return {};
  std::string text;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
  pclose(pipe);
  size_t at = text.find("\nlibraries: =");
  if (at == std::string::npos) return {};
  at += 14;
  return split(text.substr(at, text.find('\n', at) - at), ':');
}

// The file the linker takes for "-l<name>" or "-l:<file>", as the GNU
// linker searches (shared before static on the host, the MinGW-w64
// linker's names on Windows); "" when none is there.
std::string find_library(const Target& target, const std::string& option, const Args& dirs) {
  std::string name = option.substr(2);
  Args names;
  if (name[0] == ':')
    names = {name.substr(1)};
  else if (target.windows)
    names = {"lib" + name + ".dll.a", name + ".dll.a", "lib" + name + ".a", name + ".lib", "lib" + name + ".lib"};
  else
    names = {"lib" + name + ".so", "lib" + name + ".a"};
  for (const std::string& dir : dirs)
    for (const std::string& file : names)
      if (is_file(dir + "/" + file)) return dir + "/" + file;
  return "";
}

// Lets a name referenced under one spelling of an external name find its
// definition under the other (naming.h): the link step gets the aliases
// that the symbols of its inputs call for, read in-process; the compiler is
// asked for its library directories when a library is named by "-l".
bool add_name_aliases(const Target& target, LinkPlan* plan) {
  if (!plan->link_step) return true;
  LinkSymbols symbols;
  Args dirs = plan->library_dirs;
  bool searched = false;
  for (const std::string& input : plan->link_inputs) {
    std::string file = input;
    if (starts_with(input, "-l")) {
      if (!searched) {
        Args more = compiler_library_dirs(target);
        dirs.insert(dirs.end(), more.begin(), more.end());
        searched = true;
      }
      file = find_library(target, input, dirs);
    }
    std::string bytes;
    if (!file.empty() && read_text(file, &bytes)) read_link_symbols(bytes, &symbols);
  }
  LinkAliases aliases = link_aliases(symbols, target.c_decoration());
  Args& step = plan->steps[*plan->link_step];
  Args more = alias_link_arguments(aliases);
  step.insert(step.end(), more.begin(), more.end());
  if (aliases.stubs.empty() || target.windows) return true;
  const char* tmp = std::getenv("TMPDIR");
  std::string stubs = std::string(tmp && *tmp ? tmp : "/tmp") + "/f90-aliases-XXXXXX.s";
  int fd = mkstemps(&stubs[0], 2);
  if (fd < 0) return fail("olink", "cannot write " + stubs) == 0;
  close(fd);
  plan->scratch.push_back(stubs);
  if (!write_text(stubs, stub_assembly(aliases))) return fail("olink", "cannot write " + stubs) == 0;
  // Before the libraries that define what the stubs jump to.
  step.insert(step.begin() + 1, stubs);
  return true;
}

// Removes what a failed link made, so that nothing half-made is left.
int failed_link(const LinkPlan& plan) {
  for (const std::string& made : plan.made) remove_file(made);
  return 1;
}

int linker(const Target& target, const Args& args) {
  std::string error;
  std::optional<LinkPlan> plan = plan_link(target, args, &error);
  if (!plan) return fail("olink", error);
  std::optional<PrivateTmpdir> tmpdir;
  if (plan->private_tmpdir) tmpdir.emplace();
  for (const std::string& w : plan->warnings) std::fprintf(stderr, "olink: warning: %s\n", w.c_str());
  if (!plan->remove_before.empty()) remove_file(plan->remove_before);
  bool linked = add_name_aliases(target, &*plan);
  for (const auto& [from, to] : plan->copies)
    if (linked && !copy_file(from, to)) linked = fail("olink", "cannot write " + to) == 0;
  for (const Args& step : plan->steps) linked = linked && run("olink", step);
  for (const std::string& file : plan->scratch) remove_file(file);
  if (!linked) return failed_link(*plan);
  if (plan->exports_file.empty() || exists(plan->exports_file)) return 0;
  if (!plan->list_exports.empty()) return run("olink", plan->list_exports) ? 0 : failed_link(*plan);
  if (!write_text(plan->exports_file, "; every global symbol of the library is exported\n"))
    return fail("olink", "cannot write " + plan->exports_file);
  return 0;
}

}  // namespace
}  // namespace gnu

bool gnu_mode_selected(const char* argv0) {
  const char* mode = std::getenv("F90_TOOL_MODE");
  if (mode && *mode) return std::strcmp(mode, "gnu") == 0;
  return gnu::is_file(gnu::mode_marker(argv0));
}

int gnu_backend_run(const std::string& tool, const std::vector<std::string>& args) {
  try {
    const gnu::Target target = gnu::installed_target();
    if (tool == "ftfront") return gnu::front_end(target, args);
    if (tool == "ixform") return gnu::transformer(args);
    if (tool == "ocgen") return gnu::code_generator(target, args);
    if (tool == "OCC") return gnu::c_compiler(target, args);
    if (tool == "olink") return gnu::linker(target, args);
    return gnu::fail(tool, "not a tool of the suite");
  } catch (const std::exception& e) {
    return gnu::fail(tool, e.what());
  }
}
