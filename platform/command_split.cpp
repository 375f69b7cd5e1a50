#include "platform/command_split.h"

#include <string>

#include "driver/arglist.h"

void plat_split_command_line(const char* line, ArgList* args) {
  const char* p = line;
  std::string arg;
  for (;;) {
    while (*p == ' ') ++p;
    if (*p == '\0') return;
    arg.clear();
    bool quoted = false;
    while (*p != '\0' && (quoted || *p != ' ')) {
      if (*p == '"') {
        if (quoted && p[1] == '"') {
          arg += '"';
          p += 2;
          continue;
        }
        quoted = !quoted;
        ++p;
        continue;
      }
      arg += *p++;
    }
    arglist_append(args, arg);
  }
}
