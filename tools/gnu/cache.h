// The tools' cache directory, $XDG_CACHE_HOME/orvane-f90 (else
// ~/.cache/orvane-f90): what the tools learn between runs. Nothing there is
// needed for a correct result; a missing, stale or damaged file only costs
// time.
#pragma once
#include <string>

namespace gnu {

// The cache's file "<kind><hash of the key>"; empty when there is no cache directory.
std::string cache_file(const std::string& kind, const std::string& key);

}  // namespace gnu
