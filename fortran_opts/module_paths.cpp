// Module search paths: the module-path handler (-fdll, -WINAPIModFiles),
// which runs first in the chain, and the Fortran options -p and
// -nodefaultmod.
#include <cstring>
#include <iterator>
#include <string>

#include "driver/handlers.h"
#include "driver/settings.h"
#include "driver/startup.h"
#include "fortran_opts/option_table.h"

namespace {

// Longest installation directory whose "-p<dir><sep>F90INC" flag fits the
// front end's 260-character limit.
constexpr unsigned ModuleDirInstallMax = 250;
// Longest directory a separate -p takes.
constexpr size_t SeparateDirMax = 259;

// "-p" and the installation's module directory.
std::string install_module_dir_flag() { return "-p" + install_file({"F90INC"}); }

// A separate -p value: a directory, not another option.
bool is_directory_value(const char* b) {
  return *b != '\0' && !is_prefix_char(b[0]) && std::strlen(b) <= SeparateDirMax;
}

const FortranOption P[] = {
    {"profile", Form::Exact, nullptr, declined},  // left for the general options
    {"p", Form::Attached, nullptr, pass_on_to_front_end},
    {"p", Form::Separate, is_directory_value,
     [](const char*, const char* dir) {
       arglist_append(FrontEndFlags, std::string("-p") + dir);
       return true;
     }},
};

const FortranOption N[] = {
    {"nodefaultmod", Form::Exact, nullptr,
     [](const char*, const char*) {
       NoDefaultModulePath = 1;
       return true;
     }},
};

const OptionTable Tables[] = {{'p', P, std::size(P)}, {'n', N, std::size(N)}};

// The module-path handler's own two options, taken before any other
// handler sees them.
const FortranOption Fdll[] = {
    {"fdll", Form::Exact, nullptr,
     [](const char*, const char*) {
       UseDllRuntime = 1;
       return true;
     }},
};

const FortranOption WinApi[] = {
    {"WINAPIModFiles", Form::Exact, nullptr,
     [](const char*, const char*) {
       require_install_dir_at_most(ModuleDirInstallMax);
       arglist_append(FrontEndFlags, install_module_dir_flag());
       return true;
     }},
};

const OptionTable HandlerTables[] = {{'f', Fdll, std::size(Fdll)}, {'W', WinApi, std::size(WinApi)}};

}  // namespace

const OptionFamily ModulePathOptions = {Tables, std::size(Tables)};
const OptionFamily ModulePathHandlerOptions = {HandlerTables, std::size(HandlerTables)};

void handle_module_path_option(ArgList* args) {
  ArgNode* head = arglist_first(args);
  if (!head) return;
  const char* a = argnode_value(head);
  if (!is_minus_prefix(a[0])) return;
  for (const OptionTable& table : HandlerTables)
    if (table.letter == a[1]) {
      apply_option_table(table, args);
      return;
    }
}

void add_module_dir_flags() {
  if (ModulesToOutputDir && OutputName) {
    std::string flag = "-YMOD_OUT_DIR=";
    flag += OutputName;
    size_t cut = flag.find_last_of("\\/");
    if (cut != std::string::npos) {
      flag.resize(cut);
      arglist_append(FrontEndFlags, flag);
      arglist_append(FrontEndFlags, "-p" + flag.substr(std::strlen("-YMOD_OUT_DIR=")));
    }
  }
  if (!NoDefaultModulePath) arglist_append(FrontEndFlags, install_module_dir_flag());
}
