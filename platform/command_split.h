// Splits a command line built by the driver's quoting rule back into the
// program's arguments: blanks separate; a double quote opens a quoted section
// in which two double quotes stand for one and a single one closes it. Tabs
// and backslashes are ordinary characters. Used where the system passes an
// argument vector rather than a command line (POSIX), and by the stand-in
// tools to read response files.
#pragma once

struct ArgList;

void plat_split_command_line(const char* line, ArgList* args);
