#include "pipeline/temp_dir.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "driver/exit.h"
#include "driver/settings.h"
#include "platform/platform.h"

namespace {
// Set once the directory named by TempDirPath was made by this run.
bool TempDirMade = false;

// Every file is deleted in one walk over the directory. A file that cannot be
// deleted is reported once when the walk reaches it and once more after every
// later successful deletion, as a search that starts over after each deletion
// would report it.
void delete_files_in_temp_dir() {
  ArgList* files = arglist_create();
  plat_list_files(TempDirPath, files);
  std::vector<std::pair<std::string, uint32_t>> stuck;
  auto report = [](const std::string& file, uint32_t error) {
    std::fprintf(stderr, "Error deleting file %s: %d\n", file.c_str(), static_cast<int>(error));
  };
  std::string full;
  for (const ArgNode* n = arglist_first(files); n; n = argnode_next(n)) {
    full = TempDirPath;
    full += argnode_value(n);
    uint32_t error = plat_delete_file(full.c_str());
    if (error != 0) {
      report(full, error);
      stuck.emplace_back(full, error);
    } else {
      for (const auto& s : stuck) report(s.first, s.second);
    }
  }
  arglist_destroy(files);
}
}  // namespace

const char* get_temp_dir() {
  if (TempDirPath[0]) return TempDirPath;
  char temp_path[TempDirPathMax + 1];
  if (plat_temp_path(temp_path, sizeof temp_path - 16) == 0) {
    std::printf("\nCan not find Temp directory: %s", temp_path);
    std::printf("\nIn order to run the program, check the enviroment temp variable, ");
    std::printf("\nthen create that folder\n");
    driver_exit(1);
  }
  char made[TempDirPathMax + 1];
  bool ok = plat_make_private_dir(temp_path, made, sizeof made);
  if (Verbose) std::printf("mkdir %s\n", made);
  // The name tried stays, also when nothing was made, so that the exit's
  // echo names it on every platform; only a directory that this run really
  // made is emptied and removed.
  std::strcpy(TempDirPath, made);
  if (!ok) {
    std::printf("\nUnable to create a directory for temporary files:\n%s\n", made);
    driver_exit(1);
  }
  TempDirMade = true;
  return TempDirPath;
}

void remove_temp_dir() {
  if (KeepTemps || !TempDirPath[0]) return;
  if (Verbose) std::printf("del %s*.*\n", TempDirPath);
  if (TempDirMade) delete_files_in_temp_dir();
  if (Verbose) std::printf("rmdir %s\n", TempDirPath);
  if (TempDirMade) plat_remove_dir(TempDirPath);
}
