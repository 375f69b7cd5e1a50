// Files and text for the stand-in tools, in both modes (no call here is
// POSIX-only: the Windows build of the recording stand-in has them too).
#include "tools/gnu/files.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace gnu {

std::string absolute_path(const std::string& path) {
  std::string full = (path.empty() ? fs::current_path() : fs::absolute(path)).lexically_normal().string();
  while (full.size() > 1 && full.back() == '/') full.pop_back();
  return full;
}

bool is_file(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(path, ec);
}

bool is_directory(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

bool read_text(const std::string& path, std::string* text) {
  if (!is_file(path)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  *text = s.str();
  return !in.bad();
}

bool write_text(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  return static_cast<bool>(out);
}

bool move_file(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::rename(from, to, ec);
  if (!ec) return true;
  if (!fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec)) return false;
  fs::remove(from, ec);
  return true;
}

bool copy_file(const std::string& from, const std::string& to) {
  std::error_code ec;
  return fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
}

bool exists(const std::string& path) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(path, ec));
}

void remove_file(const std::string& path) {
  std::error_code ignored;
  fs::remove(path, ignored);
}

std::string source_stamp(const std::string& path) {
  std::error_code ec;
  fs::file_time_type time = fs::last_write_time(path, ec);
  if (ec) return "";
  uintmax_t size = fs::file_size(path, ec);
  if (ec) return "";
  return std::to_string(size) + " " + std::to_string(time.time_since_epoch().count());
}

bool starts_with(const std::string& text, const char* prefix) {
  return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

bool ends_with(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

std::string upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

std::string base_name(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string suffix_of(const std::string& path) {
  size_t slash = path.rfind('/');
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  return path.substr(dot + 1);
}

std::string without_suffix(const std::string& path) {
  std::string suffix = suffix_of(path);
  return suffix.empty() ? path : path.substr(0, path.size() - suffix.size() - 1);
}

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t at = text.find(separator, start);
    parts.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
    if (at == std::string::npos) return parts;
    start = at + 1;
  }
}

std::optional<unsigned long long> parse_digits(const std::string& text, int base, unsigned long long limit,
                                               Beyond beyond) {
  if (text.empty()) return std::nullopt;
  unsigned long long value = 0;
  bool over = false;
  for (char c : text) {
    int digit = c >= '0' && c <= '9'   ? c - '0'
                : base == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10
                : base == 16 && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
    if (digit < 0) return std::nullopt;
    if (over || static_cast<unsigned long long>(digit) > limit ||
        value > (limit - digit) / base)
      over = true;
    else value = value * base + digit;
  }
  if (!over) return value;
  if (beyond == Beyond::Refused) return std::nullopt;
  return limit;
}

}  // namespace gnu
