#include "pipeline/classify.h"

#include <cstring>

#include "driver/option_text.h"

namespace {

enum class Compare { Exact, AnyCase };

// The tests, in the order they run; the first that matches decides. A row
// with a minimum kind only matches when the run's TargetKind is above it;
// otherwise the tests go on.
struct ClassRow {
  const char* extensions[6];
  Compare compare;
  int above_kind;
  InputKind kind;
};

const ClassRow ClassTable[] = {
    {{"F", "F90", "F95", "FOR"}, Compare::Exact, 0, InputKind::FortranSource},
    {{"f", "f90", "f95"}, Compare::Exact, 0, InputKind::FortranSource},
    {{"for"}, Compare::AnyCase, 0, InputKind::FortranSource},
    {{"bif"}, Compare::Exact, 1, InputKind::FrontEndOutput},
    {{"int"}, Compare::Exact, 1, InputKind::TransformerOutput},
    {{"s"}, Compare::Exact, 2, InputKind::Assembly},
    {{"c"}, Compare::Exact, 0, InputKind::CSource},
    {{"m"}, Compare::Exact, 0, InputKind::ObjectiveC},
    {{"C"}, Compare::Exact, 0, InputKind::CxxSource},
    {{"cc", "cpp", "cp", "cxx", "c++"}, Compare::AnyCase, 0, InputKind::CxxSource},
    {{"M", "mm"}, Compare::Exact, 0, InputKind::ObjectiveCxx},
};

bool same_text(const char* a, const char* b, Compare how) {
  return how == Compare::Exact ? std::strcmp(a, b) == 0 : equal_any_case(a, b);
}

}  // namespace

InputKind classify_input(const char* name, int target_kind) {
  const char* dot = std::strrchr(name, '.');
  if (!dot) return InputKind::LinkerOption;
  const char* ext = dot + 1;
  for (const ClassRow& row : ClassTable) {
    if (target_kind <= row.above_kind) continue;
    for (const char* e : row.extensions)
      if (e && same_text(ext, e, row.compare)) return row.kind;
  }
  return InputKind::LinkerInput;
}
