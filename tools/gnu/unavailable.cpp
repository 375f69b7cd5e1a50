// The Windows build of the stand-ins has no GNU mode: they record only.
#include "tools/gnu/gnu.h"

bool gnu_mode_selected(const char*) { return false; }

int gnu_backend_run(const std::string&, const std::vector<std::string>&) { return 1; }
