// The tools' cache directory, $XDG_CACHE_HOME/orvane-f90 (else
// ~/.cache/orvane-f90): what the tools learn between runs. Nothing there is
// needed for a correct result; a missing, stale or damaged file only costs
// time.
#pragma once
#include <string>

namespace gnu {

// The cache's file "<kind><hash of the key>"; empty when there is no cache directory.
std::string cache_file(const std::string& kind, const std::string& key);
// Writes a complete file under a name of its own and renames it over `path`,
// so that concurrent runs read the old text or the new, never a mixture.
void replace_file(const std::string& path, const std::string& text);

}  // namespace gnu
