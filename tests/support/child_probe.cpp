// A child process for the platform tests: writes what it was started with
// to the file that F90_PROBE_OUT names.
//
// Its first line is the command line as the program received it: unsplit on
// Windows, where that is what the system hands over, and on POSIX the
// arguments after the program name, each in brackets. The second line is
// the value of F90_PROBE_VALUE, or "(unset)".
#ifdef _WIN32
#include <windows.h>
#endif
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  std::string line;
#ifdef _WIN32
  (void)argc;
  (void)argv;
  line = GetCommandLineA();
#else
  for (int i = 1; i < argc; ++i) line += "[" + std::string(argv[i]) + "]";
#endif
  const char* value = std::getenv("F90_PROBE_VALUE");
  const char* out = std::getenv("F90_PROBE_OUT");
  if (out && *out) {
    if (FILE* f = std::fopen(out, "wb")) {
      std::fprintf(f, "%s\n%s\n", line.c_str(), value ? value : "(unset)");
      std::fclose(f);
    }
  }
  return 0;
}
