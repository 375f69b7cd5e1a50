#include "fuzz/intake_input.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <random>
#include <sstream>
#include <vector>

#include "driver/arglist.h"
#include "driver/exit.h"
#include "driver/intake.h"
#include "driver/settings.h"
#include "driver/startup.h"
#include "fortran_opts/fortran_flags.h"
#include "link/link.h"
#include "pipeline/file_names.h"

#ifndef F90_EXIT_THROWS
#error "the intake runner needs the driver built with F90_EXIT_THROWS"
#endif

namespace fs = std::filesystem;

namespace {

constexpr const char* FileNames[] = {"default.opt", "r", "s", "t", "u.f90"};
constexpr size_t FileCount = sizeof FileNames / sizeof FileNames[0];

std::string ScratchDir;

std::vector<std::string> split_sections(const uint8_t* data, size_t size) {
  std::vector<std::string> sections(1);
  for (size_t i = 0; i < size; ++i) {
    char c = static_cast<char>(data[i]);
    if (c == '\0') {
      if (sections.size() == 1 + FileCount) break;
      sections.emplace_back();
      continue;
    }
    sections.back().push_back(c == '/' ? '\\' : c);
  }
  return sections;
}

// Leaves exactly the files of this input in the scratch directory.
void prepare_files(const std::vector<std::string>& sections) {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(ScratchDir, ec)) fs::remove_all(entry.path(), ec);
  for (size_t i = 0; i < FileCount && i + 1 < sections.size(); ++i) {
    std::ofstream out(fs::path(ScratchDir) / FileNames[i], std::ios::binary);
    out << sections[i + 1];
  }
}

void fresh_state() {
  reset_settings();
  reset_response_counts();
  reset_temp_names();
  init_flag_lists();
  set_front_end_defaults();
}

}  // namespace

void intake_scratch_open() {
  if (!ScratchDir.empty()) return;
  std::random_device random;
  while (ScratchDir.empty()) {
    fs::path p = fs::temp_directory_path() / ("f90-intake-" + std::to_string(random()));
    if (fs::create_directory(p)) ScratchDir = p.string();
  }
  fs::current_path(ScratchDir);
  // The driver keeps InstallDir for the whole process.
  static std::string install;
  install = ScratchDir;
  InstallDir = install.c_str();
}

void intake_scratch_close() {
  if (ScratchDir.empty()) return;
  std::error_code ec;
  fs::current_path(fs::temp_directory_path(), ec);
  fs::remove_all(ScratchDir, ec);
  ScratchDir.clear();
}

int run_intake_input(const uint8_t* data, size_t size) {
  intake_scratch_open();
  std::vector<std::string> sections = split_sections(data, size);
  prepare_files(sections);
  fresh_state();

  ArgList* args = arglist_create();
  // One argument per line; a last line without its end counts too.
  std::istringstream lines(sections[0]);
  for (std::string a; std::getline(lines, a);) arglist_append(args, a);
  ArgList* inputs = arglist_create();
  int status = -1;
  try {
    read_default_options(args, "f90");
    take_arguments(args, inputs);
    plan_link(inputs);
  } catch (const DriverExit& e) {
    status = e.status;
  }
  arglist_destroy(args);
  arglist_destroy(inputs);
  reset_settings();
  return status;
}
