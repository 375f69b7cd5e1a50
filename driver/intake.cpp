#include "driver/intake.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "driver/exit.h"
#include "driver/handlers.h"
#include "driver/line_reader.h"
#include "driver/settings.h"
#include "driver/startup.h"
#include "platform/platform.h"

const OptionHandler OptionHandlerChain[4] = {
    handle_module_path_option,
    handle_linker_option,
    handle_fortran_option,
    handle_general_option,
};

namespace {

long ResponseFilesRead = 0;
long ResponseArguments = 0;

// Reads every line of an open file; `use(line)` gets each one, writable.
// Returns false when a line could not be held in memory.
template <typename F>
bool for_each_line(LineReader* reader, F use) {
  std::string line;
  for (;;) {
    LineStatus st = read_line(reader, line);
    if (st == LineStatus::End) return true;
    if (st == LineStatus::OutOfMemory) return false;
    use(&line[0]);
  }
}

size_t count_between(ArgNode* from, ArgNode* to) {
  size_t n = 0;
  for (ArgNode* p = from; p != to; p = argnode_next(p)) ++n;
  return n;
}

const char* const HelpLines[] = {
    "(for more info see your manual)\n",
    "-c                     # Compile to object files only\n",
    "-D<macro>              # Define preprocessor macros\n",
    "-g                     # Produce debug information\n",
    "-help                  # Prints partial list of options\n",
    "-I<dir>                # Add to include search path\n",
    "-O                     # Optimizations\n",
    "-o <filename>          # Name of the output file\n",
    "-out:<filename>        # Name of the output file\n",
    "-q                     # Quiet mode\n",
    "-U<macro>              # Undefine preprocessor macros\n",
    "-v                     # Verbose\n",
    "-w                     # Suppress all warnings\n",
};

bool is_help_request(const char* arg) {
  return is_prefix_char(arg[0]) && std::strcmp(arg + 1, "help") == 0;
}

// Expands every "@file" argument in place, depth first. `ends` holds, for
// each response file being walked, the entry that follows its arguments, so
// the walk knows how deep it is.
void expand_response_files(ArgList* args) {
  ArgNode* ends[MaxResponseDepth];
  int depth = 0;
  ArgNode* node = arglist_first(args);
  while (node) {
    while (depth > 0 && ends[depth - 1] == node) --depth;
    const char* text = argnode_value(node);
    if (text[0] != '@') {
      node = argnode_next(node);
      continue;
    }
    const char* name = text + 1;
    if (depth == MaxResponseDepth)
      fail("ERROR: Response files nested more than %d deep: \"%s\"\n", MaxResponseDepth, name);
    ArgNode* after = argnode_next(node);
    ArgNode* before_file = argnode_prev(node);
    read_response_file(name, args, after);
    arglist_remove(args, node);
    node = before_file ? argnode_next(before_file) : arglist_first(args);
    if (node != after) ends[depth++] = after;
  }
}

[[noreturn]] void report_leftovers(ArgList* leftovers) {
  bool any = false;
  for (ArgNode* n = arglist_first(leftovers); n;) {
    ArgNode* next = argnode_next(n);
    const char* text = argnode_value(n);
    if (text[0] == '\0' || is_prefix_char(text[0])) {
      if (!any) std::fputs("ERROR: Unrecognized arguments:", stderr);
      any = true;
      std::fprintf(stderr, " %s", text);
      arglist_remove(leftovers, n);
    }
    n = next;
  }
  if (any) std::fputs("\n", stderr);
  for (ArgNode* n = arglist_first(leftovers); n; n = argnode_next(n))
    std::fprintf(stderr, "ERROR: File not found: %s\n", argnode_value(n));
  arglist_destroy(leftovers);
  driver_exit(1);
}

}  // namespace

#ifdef F90_EXIT_THROWS  // the fuzzing core's: the driver runs once per process
void reset_response_counts() {
  ResponseFilesRead = 0;
  ResponseArguments = 0;
}
#endif

void print_help() {
  for (const char* line : HelpLines) std::fputs(line, stdout);
}

bool file_exists(const char* name) { return plat_find_any(name); }

void read_default_options(ArgList* args, const char* key) {
  require_install_dir_at_most(247);
  char* path = install_path("default.opt");
  LineReader* reader = new LineReader;
  bool opened = line_reader_open(reader, path);
  std::free(path);
  if (opened) {
    ArgNode* before = arglist_first(args);
    size_t key_len = std::strlen(key);
    bool ok = for_each_line(reader, [&](char* line) {
      if (std::strncmp(line, key, key_len) == 0) tokenize_into(args, before, line + key_len);
    });
    line_reader_close(reader);
    if (!ok) {
      delete reader;
      fail("ERROR: Out of memory parsing default options file.\n");
    }
  }
  delete reader;
}

void read_response_file(const char* name, ArgList* args, ArgNode* before) {
  if (++ResponseFilesRead > MaxResponseFiles)
    fail("ERROR: More than %ld response files read: \"%s\"\n", MaxResponseFiles, name);
  LineReader* reader = new LineReader;
  if (!line_reader_open(reader, name)) {
    delete reader;
    fail("ERROR: Unable to open response file \"%s\"\n", name);
  }
  ArgNode* first_before = before ? argnode_prev(before) : arglist_last(args);
  bool ok = for_each_line(reader, [&](char* line) { tokenize_into(args, before, line); });
  line_reader_close(reader);
  delete reader;
  if (!ok) fail("ERROR: Out of memory parsing response file \"%s\"\n", name);
  ArgNode* first_new = first_before ? argnode_next(first_before) : arglist_first(args);
  ResponseArguments += static_cast<long>(count_between(first_new, before));
  if (ResponseArguments > MaxResponseArguments)
    fail("ERROR: More than %ld arguments read from response files: \"%s\"\n",
         MaxResponseArguments, name);
}

void take_arguments(ArgList* args, ArgList* input_files) {
  for (ArgNode* n = arglist_first(args); n; n = argnode_next(n)) {
    if (is_help_request(argnode_value(n))) {
      print_help();
      driver_exit(0);
    }
  }

  expand_response_files(args);

  // Owned here also when a handler ends the run part-way (an exit that
  // unwinds, as in the fuzzing build, must not lose it).
  std::unique_ptr<ArgList, void (*)(ArgList*)> leftovers(arglist_create(), arglist_destroy);
  dispatch_arguments(args, input_files, leftovers.get());
  if (arglist_first(leftovers.get())) report_leftovers(leftovers.release());
}

void dispatch_arguments(ArgList* args, ArgList* input_files, ArgList* leftovers) {
  while (ArgNode* current = arglist_first(args)) {
    // The next handler sees the argument only while this very entry is still
    // at the head: an equal argument after a taken one is a new argument.
    for (OptionHandler handler : OptionHandlerChain) {
      if (arglist_first(args) != current) break;
      handler(args);
    }
    if (arglist_first(args) != current) continue;
    const char* text = argnode_value(current);
    arglist_append(file_exists(text) ? input_files : leftovers, text);
    arglist_remove(args, current);
  }
}
