// The tools' cache directory.
#include "tools/gnu/cache.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "tools/gnu/files.h"

namespace fs = std::filesystem;

namespace gnu {
namespace {

// FNV-1a: stable across builds and machines, unlike std::hash.
std::string hash_text(const std::string& text) {
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return hex;
}

}  // namespace

std::string cache_file(const std::string& kind, const std::string& key) {
  const char* xdg = std::getenv("XDG_CACHE_HOME");
  const char* home = std::getenv("HOME");
  std::string dir;
  if (xdg && xdg[0] == '/')
    dir = xdg;
  else if (home && home[0] == '/')
    dir = std::string(home) + "/.cache";
  else
    return "";
  return dir + "/orvane-f90/" + kind + hash_text(key);
}

void replace_file(const std::string& path, const std::string& text) {
  std::error_code ec;
  fs::create_directories(fs::path(path).parent_path(), ec);
  std::string part = path + "." + std::to_string(getpid()) + ".part";
  if (write_text(part, text)) fs::rename(part, path, ec);
  fs::remove(part, ec);
}

}  // namespace gnu
