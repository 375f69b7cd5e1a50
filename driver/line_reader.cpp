#include "driver/line_reader.h"

#include <cstring>
#include <new>

#include "platform/fault_injection.h"

bool line_reader_open(LineReader* reader, const char* path) {
  // Binary mode on every platform: the carriage return is dropped by hand,
  // so a file gives the same arguments wherever it is read.
  reader->file = std::fopen(path, "rb");
  reader->pos = 0;
  reader->len = 0;
  if (!reader->file) return false;
  // A name that opens but cannot be read (a directory, on POSIX) is no more
  // use than one that does not open: say so rather than read it as empty.
  reader->len = std::fread(reader->block, 1, sizeof reader->block, reader->file);
  if (reader->len == 0 && std::ferror(reader->file)) {
    line_reader_close(reader);
    return false;
  }
  return true;
}

void line_reader_close(LineReader* reader) {
  if (reader->file) std::fclose(reader->file);
  reader->file = nullptr;
}

LineStatus read_line(LineReader* reader, std::string& line) {
  line.clear();
  bool any = false;
  try {
    if (plat_fault("line")) throw std::bad_alloc();
    for (;;) {
      if (reader->pos == reader->len) {
        reader->pos = 0;
        reader->len = std::fread(reader->block, 1, sizeof reader->block, reader->file);
        if (reader->len == 0) break;
      }
      any = true;
      const char* start = reader->block + reader->pos;
      size_t avail = reader->len - reader->pos;
      const char* nl = static_cast<const char*>(std::memchr(start, '\n', avail));
      size_t take = nl ? static_cast<size_t>(nl - start) : avail;
      line.append(start, take);
      reader->pos += take;
      if (nl) {
        ++reader->pos;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        break;
      }
    }
  } catch (const std::bad_alloc&) {
    return LineStatus::OutOfMemory;
  }
  if (!any) return LineStatus::End;
  size_t nul = line.find('\0');
  if (nul != std::string::npos) line.resize(nul);
  return LineStatus::Line;
}
