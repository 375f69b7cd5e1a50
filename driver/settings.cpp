#include "driver/settings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "driver/exit.h"
#include "platform/platform.h"

ArgList* CPreprocessorFlags = nullptr;
ArgList* FrontEndFlags = nullptr;
ArgList* TransformerFlags = nullptr;
ArgList* CodeGenFlags = nullptr;
ArgList* CCompilerFlags = nullptr;
ArgList* LinkOptions = nullptr;
ArgList* LinkObjects = nullptr;
ArgList* LinkLibraries = nullptr;

const char* OptionPrefixChars = PlatformOptionPrefixChars;
int PlusPrefixCount = 2;

const char* InstallDir = nullptr;
char ToolSuffix[3] = "";

int TargetKind = KindConsoleExe;
int OptLevel = 0;
char* OutputName = nullptr;
int Verbose = 0;
int DryRun = 0;
int KeepTemps = 0;
int NoDefaultLib = 0;
int CheckOptsOnly = 0;
int SafeFP = 0;
int VarNameCase = 1;
int UnrollCount = -2;
int UnrollLimit = -2;
int UnrollThird = 0;
int NoDefaultModulePath = 0;
int UseDllRuntime = 0;
int ThreadSafeIO = 0;
int ModulesToOutputDir = 0;
int ObjectSuffixDotO = 0;
int AutoExports = 0;
int EtWinObject = 0;
int LinkIgnoreDups = 1;
int TargetCpu = -1;
int Sse2Mode = 0;

char TempDirPath[TempDirPathMax + 1] = "";

bool is_prefix_char(char c) { return c != '\0' && std::strchr(OptionPrefixChars, c) != nullptr; }

bool is_plus_prefix(char c) {
  for (int i = 0; i < PlusPrefixCount; ++i)
    if (OptionPrefixChars[i] == c) return c != '\0';
  return false;
}

bool is_minus_prefix(char c) { return is_prefix_char(c) && !is_plus_prefix(c); }

char canonical_prefix() { return OptionPrefixChars[PlusPrefixCount]; }

void set_output_name(const char* name) {
  if (OutputName) fail("Only one output file can be specified.\n");
  size_t len = std::strlen(name);
  OutputName = static_cast<char*>(checked_malloc(len + 1));
  std::memcpy(OutputName, name, len + 1);
}

#ifdef F90_EXIT_THROWS  // the fuzzing core's: the driver runs once per process
void reset_settings() {
  for (ArgList** list : {&CPreprocessorFlags, &FrontEndFlags, &TransformerFlags, &CodeGenFlags,
                         &CCompilerFlags, &LinkOptions, &LinkObjects, &LinkLibraries}) {
    arglist_destroy(*list);
    *list = nullptr;
  }
  std::free(OutputName);
  OutputName = nullptr;
  TargetKind = KindConsoleExe;
  OptLevel = Verbose = DryRun = KeepTemps = NoDefaultLib = CheckOptsOnly = SafeFP = 0;
  VarNameCase = 1;
  UnrollCount = UnrollLimit = -2;
  UnrollThird = NoDefaultModulePath = UseDllRuntime = ThreadSafeIO = ModulesToOutputDir = 0;
  ObjectSuffixDotO = AutoExports = EtWinObject = 0;
  LinkIgnoreDups = 1;
  TargetCpu = -1;
  Sse2Mode = 0;
}
#endif
