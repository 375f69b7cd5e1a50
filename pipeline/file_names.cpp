#include "pipeline/file_names.h"

#include <cctype>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

#include "driver/settings.h"

namespace {

// Folded stems of the user's inputs that already have files in the
// temporary directory. Only an index for the uniqueness test: the names
// themselves travel in the ArgLists. These indexes are never destroyed: an
// interrupt ends the process from another thread while the main thread may
// still be naming files.
std::unordered_set<std::string>& claimed_stems() {
  static auto* stems = new std::unordered_set<std::string>;
  return *stems;
}
// The next number to try for a stem, so that many inputs of one name do not
// each try every number from 2 again.
std::unordered_map<std::string, unsigned>& next_numbers() {
  static auto* numbers = new std::unordered_map<std::string, unsigned>;
  return *numbers;
}

std::string folded(const std::string& s) {
  std::string f = s;
  for (char& c : f) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return f;
}

// Renamed stems and the stems of the inputs they stand for.
std::unordered_map<std::string, std::string>& renamed_stems() {
  static auto* renamed = new std::unordered_map<std::string, std::string>;
  return *renamed;
}

bool in_temp_dir(const char* name) {
  size_t len = std::strlen(TempDirPath);
  return len > 0 && std::strncmp(name, TempDirPath, len) == 0;
}

}  // namespace

const char* base_name(const char* name) {
  const char* base = name;
  for (const char* p = name; *p; ++p)
    if (*p == '\\' || *p == '/') base = p + 1;
  return base;
}

std::string derived_name(const char* dir, const char* base, const char* suffix) {
  std::string name = dir;
  name += base;
  size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.resize(dot);
  name += suffix;
  return name;
}

std::string temp_base_name(const char* input) {
  std::string base = base_name(input);
  if (in_temp_dir(input)) return base;
  size_t dot = base.rfind('.');
  std::string stem = base.substr(0, dot);
  std::string rest = dot == std::string::npos ? std::string() : base.substr(dot);
  auto& stems = claimed_stems();
  if (stems.insert(folded(stem)).second) return base;
  unsigned& n = next_numbers()[folded(stem)];
  if (n < 2) n = 2;
  for (;; ++n) {
    std::string candidate = stem + "-" + std::to_string(n);
    if (stems.insert(folded(candidate)).second) {
      renamed_stems()[candidate] = stem;
      return candidate + rest;
    }
  }
}

std::string user_base_name(const char* input) {
  std::string base = base_name(input);
  if (!in_temp_dir(input)) return base;
  size_t dot = base.rfind('.');
  auto found = renamed_stems().find(base.substr(0, dot));
  if (found == renamed_stems().end()) return base;
  return found->second + (dot == std::string::npos ? std::string() : base.substr(dot));
}

#ifdef F90_EXIT_THROWS  // the fuzzing core's: the driver runs once per process
void reset_temp_names() {
  claimed_stems().clear();
  next_numbers().clear();
  renamed_stems().clear();
}
#endif
