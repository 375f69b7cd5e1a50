// Process-wide settings and the tools' flag lists. They are created at
// start-up, changed by the option handlers and link planning, and read by the
// pipeline; none is ever freed. All of them are plain data, so nothing of them
// is torn down while an interrupt ends the process from another thread.
#pragma once
#include "driver/arglist.h"

// Flag lists, one per tool command line, in the order they are created.
extern ArgList* CPreprocessorFlags;  // OCC, first
extern ArgList* FrontEndFlags;       // ftfront
extern ArgList* TransformerFlags;    // ixform
extern ArgList* CodeGenFlags;        // ocgen
extern ArgList* CCompilerFlags;      // OCC, after CPreprocessorFlags
extern ArgList* LinkOptions;         // olink, first
extern ArgList* LinkObjects;         // olink, second
extern ArgList* LinkLibraries;       // olink, third

// Option prefixes: '+' and '!' form the plus group, '-' (and '/' on Windows) the minus
// group; OptionPrefixChars[PlusPrefixCount] ('-') is the canonical prefix.
extern const char* OptionPrefixChars;
extern int PlusPrefixCount;

// Installation directory; at most InstallDirMax characters once checked.
constexpr int InstallDirMax = 260;
extern const char* InstallDir;
extern char ToolSuffix[3];  // "" or "_x"

// What the run produces.
enum : int {
  KindSyntaxOnly = 1,
  KindAssembly = 2,
  KindObjects = 3,
  KindStaticLib = 4,
  KindDll = 5,
  KindPlainAppl = 6,
  KindWsimAppl = 7,
  KindConsoleExe = 8,
};
extern int TargetKind;

extern int OptLevel;
extern char* OutputName;  // null when absent
extern int Verbose;
extern int DryRun;
extern int KeepTemps;
extern int NoDefaultLib;
extern int CheckOptsOnly;
extern int SafeFP;
extern int VarNameCase;  // 1 upper, 2 lower, 0 as written
extern int UnrollCount;  // -2 not given, -1 automatic
extern int UnrollLimit;
extern int UnrollThird;
extern int NoDefaultModulePath;
extern int UseDllRuntime;
extern int ThreadSafeIO;
extern int ModulesToOutputDir;
extern int ObjectSuffixDotO;
extern int AutoExports;
extern int EtWinObject;
extern int LinkIgnoreDups;
extern int TargetCpu;  // -1 not chosen
extern int Sse2Mode;   // 0 automatic, 1 on, -1 off

// The run's private temporary directory, ending in a path separator; empty
// until the first step asks for it.
constexpr int TempDirPathMax = 1024;
extern char TempDirPath[TempDirPathMax + 1];

// Puts every setting back to its start-up value and the flag lists back to
// empty (freeing what they held), as before init_flag_lists; InstallDir,
// ToolSuffix, TempDirPath and the option prefixes (which only start-up sets)
// stay. For the fuzzing core (F90_EXIT_THROWS), which runs the handlers many
// times in one process; no driver has it.
void reset_settings();

// True when `c` is one of the prefix characters (never for '\0').
bool is_prefix_char(char c);
// True for '+' and '!'.
bool is_plus_prefix(char c);
// True for '-' and '/'.
bool is_minus_prefix(char c);
// The canonical prefix '-'.
char canonical_prefix();
// Replaces OutputName, refusing a second one ("Only one output file...").
void set_output_name(const char* name);
