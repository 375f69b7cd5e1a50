// Files and text for the stand-in tools. They share the driver's current
// directory, so relative names mean the same to every step.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace gnu {

using Args = std::vector<std::string>;

std::string absolute_path(const std::string& path);
bool is_file(const std::string& path);
bool is_directory(const std::string& path);
// The whole file, byte for byte; false when it is not a readable file.
bool read_text(const std::string& path, std::string* text);
bool write_text(const std::string& path, const std::string& text);
// Makes `from` the file `to`: renamed, or copied across file systems.
bool move_file(const std::string& from, const std::string& to);
bool copy_file(const std::string& from, const std::string& to);
void remove_file(const std::string& path);
// Anything by that name, a dangling link too.
bool exists(const std::string& path);
// The size and modification time of a file, as text; empty when it is not there.
std::string source_stamp(const std::string& path);

bool starts_with(const std::string& text, const char* prefix);
bool ends_with(const std::string& text, const std::string& end);
std::string lower(std::string text);
std::string upper(std::string text);
std::string base_name(const std::string& path);
// The text after the last dot of the last component, as written, or "".
std::string suffix_of(const std::string& path);
// The path without that suffix and its dot.
std::string without_suffix(const std::string& path);
std::vector<std::string> split(const std::string& text, char separator);
// What a number beyond the limit of `parse_digits` becomes.
enum class Beyond { Refused, Held };
// The value of `text`, all of it digits of `base` (10, or 16 without "0x"):
// nothing for anything else (empty, a sign, a blank). A value above `limit`
// is nothing, or `limit` when held there.
std::optional<unsigned long long> parse_digits(const std::string& text, int base, unsigned long long limit,
                                               Beyond beyond);

}  // namespace gnu
