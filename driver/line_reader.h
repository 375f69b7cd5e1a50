// Reads the lines of a default options or response file, whatever their
// length. A line ends at a line feed, which is dropped together with a
// carriage return right in front of it; the rest of a line after a NUL byte
// is dropped (an argument cannot hold one).
#pragma once
#include <cstdio>
#include <string>

struct LineReader {
  std::FILE* file;
  char block[64 * 1024];
  size_t pos;
  size_t len;
};

enum class LineStatus { Line, End, OutOfMemory };

// Opens `path` for reading; false when it cannot be opened.
bool line_reader_open(LineReader* reader, const char* path);
void line_reader_close(LineReader* reader);
LineStatus read_line(LineReader* reader, std::string& line);
