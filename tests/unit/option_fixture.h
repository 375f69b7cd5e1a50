// Argument lists as vectors, for the unit tests of the intake and the
// platform layer.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "driver/arglist.h"
#include "driver/intake.h"
#include "driver/settings.h"
#include "driver/startup.h"
#include "fortran_opts/fortran_flags.h"

using Strings = std::vector<std::string>;

inline Strings values(const ArgList* list, size_t from = 0) {
  Strings v;
  for (ArgNode* n = arglist_first(list); n; n = argnode_next(n)) v.emplace_back(argnode_value(n));
  return Strings(v.begin() + static_cast<long>(std::min(from, v.size())), v.end());
}

inline std::string describe(const Strings& args) {
  std::string s;
  for (const std::string& a : args) s += "[" + a + "]";
  return s;
}
