#include "pipeline/file_names.h"

#include <cstring>

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
