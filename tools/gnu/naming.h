// External names in the objects of the GNU mode.
//
// gfortran spells every external procedure and common block its own way:
// lower case with one underscore appended ("meansd_", "config_"). The
// suite's code is written for its own names instead: upper case with nothing
// appended by default ("MEANSD", "CONFIG"), lower case under "-N163", g77's
// names with -g77, and whatever the front end's -YEXT_... and -YCOM_... flags
// ask for. C callers, module-definition files and DLL users go by those.
//
// Where the names are made: in the object, once it exists. The code
// generator (ocgen) hands on an object made by the front end's compile or by
// its own, by gfortran's driver or by gfortran's own steps; rewriting the
// object's symbol table in-process covers every one of these paths the same
// way and costs no process (an objcopy would be one more per source, and a
// rewrite of f951's assembly text would need the assembly of every path,
// including the ones that go through gfortran -c). The symbol table is a
// plain structure of ELF and COFF: a symbol is renamed by pointing it at a
// new string, an alias is one more symbol appended at the end, so the
// indices that relocations, groups and COFF auxiliary records use do not
// move. Objects are small; only the string and symbol tables are rewritten
// (ELF: placed anew at the end of the file, the old bytes left unused; COFF:
// the symbol table is the end of the file and is written again).
//
// Which symbols: global symbols shaped as gfortran spells an external name
// (after the target's C decoration, the "_" of i686 Windows, is taken off):
// a lower-case letter, then lower-case letters, digits, '_' or '$', the last
// of them one '_' that gfortran added. What is not shaped so keeps its name:
// module procedures and variables ("__m_MOD_p"), the main program ("main",
// "MAIN__"), the blank common ("__BLNK__"), the runtime ("_gfortran_..."),
// the C library, internal procedures (local). A bind(c) name can have the
// shape ("cnote_" named by bind(c, name="cnote_")): a light scan of the
// source collects the names given on its bind(c) statements, which keep
// their names. The same scan finds the spelling of a name in the source for
// names "as written".
//
// What a symbol becomes (SuiteName): procedures (defined or referenced) by
// the external rule, common blocks (common symbols, and data defined by DATA
// or BLOCK DATA) by the common rule:
//   case   last -YEXT_NAMES= (procedures) / -YCOM_NAMES= (common blocks) of
//          the front end, UCS, LCS or ASIS; else the code generator's case:
//          "-N162" upper, "-N163" lower (the later of the two), neither: as
//          written.
//   suffix last -YEXT_SFX= / -YCOM_SFX= (empty allowed); else "_" when the
//          code generator has "-N108" (g77's names), else none.
//   prefix last -YEXT_PFX= / -YCOM_PFX=; else none.
// "-N139", g77's second underscore for names that hold one, is not given:
// with one underscore g77's names are gfortran's, so -g77 objects link with
// gfortran's libraries and their C callers as they are. "As written" is the
// spelling of the name's definition in the source (SUBROUTINE, FUNCTION,
// ENTRY, COMMON /x/), else of its first use there; a name the scan does not
// find there (made by the preprocessor, blanks inside in fixed form) is
// spelt in upper case, the default. Then the target's C decoration comes
// first ("_MEANSD" on i686 Windows), as its gcc spells a C function.
//
// Both spellings, so that code written for either links:
// - A procedure or initialised common block defined under the suite's name
//   is also defined under gfortran's: a second global symbol at the same
//   place (an alias). C written for gfortran's names ("meansd_", CBLAS,
//   LAPACKE) and plain gfortran objects link against it, archives and
//   shared libraries export both.
// - An uninitialised common block is a common symbol in every object that
//   uses it, merged by the linker; a second name would be a second block, so
//   it has the suite's name only, and the link maps the other (below).
// - A reference under the suite's name ("CNOTE") resolves against a C
//   routine of that name as it is. For one defined only under gfortran's
//   name (a plain gfortran library, "-lblas"), and for C that reads a
//   common block by gfortran's name ("config_"), the link adds the mapping:
//   olink reads the symbol tables of its inputs in-process (objects, the
//   index and the members of archives, the dynamic symbols of shared
//   libraries; "-l" libraries where the linker would find them) and, for
//   each name referenced and defined nowhere whose other spelling is
//   defined, gives the linker "-u <defined> --defsym=<referenced>=<defined>"
//   (-u takes the member out of an archive, which --defsym alone does not);
//   a definition found only in a shared library gets a small jump stub
//   instead, as --defsym cannot name a dynamic symbol. A lower-case name
//   ("cnote", of -N163) is mapped to gfortran's only where the default
//   naming's upper-case one is not defined too, so that a C library's
//   "exit" never goes to a Fortran EXIT's alias "exit_". A name defined
//   under neither spelling is left to the linker, whose message names it as
//   the code does.
#pragma once
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace gnu {

enum class LetterCase { Upper, Lower, AsWritten };

// How one kind of external name is spelt.
struct NameRule {
  LetterCase letter_case = LetterCase::Upper;
  std::string prefix, suffix;
  bool operator==(const NameRule& o) const {
    return letter_case == o.letter_case && prefix == o.prefix && suffix == o.suffix;
  }
};

struct Naming {
  NameRule procedures, commons;
  // gfortran's own names: objects are left as gfortran makes them.
  bool gfortran_names() const;
};

// The naming of the front end's and the code generator's flags (above).
Naming naming_from_flags(const std::vector<std::string>& front_end, const std::vector<std::string>& code_generator);
// What the light scan of a source finds.
struct SourceNames {
  std::map<std::string, std::string> spelling;  // lower-case name -> as written
  std::set<std::string> bound;                  // symbols its bind(c) statements name
};
enum class SourceForm { Fixed, Free };
SourceNames scan_source(const std::string& text, SourceForm form);

enum class SymbolKind { Procedure, Common };
// The suite's name for gfortran's symbol `symbol` (with the target's C
// decoration `decoration`), or nothing when the symbol keeps its name.
std::optional<std::string> suite_name(const Naming& naming, const SourceNames& source, SymbolKind kind,
                                      const std::string& symbol, const std::string& decoration);

// What rename_symbols did.
struct Renamed {
  std::vector<std::pair<std::string, std::string>> renamed;  // gfortran's name -> the suite's
  std::vector<std::string> aliases;                          // gfortran's names kept as aliases
};
// Rewrites the symbol table of an ELF (32- or 64-bit, little-endian) or COFF
// (i386, x86-64) relocatable object held in `object`. Nothing to rename
// leaves it unchanged; an object of another kind, or a damaged one, gives
// an error and leaves it unchanged too.
bool rename_symbols(std::string* object, const Naming& naming, const SourceNames& source, Renamed* done,
                    std::string* error);

// The symbols an input of a link defines and references.
struct LinkSymbols {
  std::set<std::string> defined, dynamic, undefined;  // dynamic: defined by a shared library
};
// Adds what an object, an archive (from its index) or a shared library
// held in `bytes` defines and references; false when it is none of those.
bool read_link_symbols(const std::string& bytes, LinkSymbols* symbols);

// What the link adds so that each name resolves under either spelling.
struct LinkAliases {
  std::vector<std::pair<std::string, std::string>> defsym;  // referenced -> defined
  std::vector<std::pair<std::string, std::string>> stubs;   // referenced -> defined in a shared library
};
// `decoration` is the target's C decoration ("_" on i686 Windows).
LinkAliases link_aliases(const LinkSymbols& symbols, const std::string& decoration);
// The defsym part as arguments of a gfortran link.
std::vector<std::string> alias_link_arguments(const LinkAliases& aliases);
// The stubs as x86-64 ELF assembly (a jump through the PLT each): shared
// libraries are met on that target only, as a Windows link reaches a DLL
// through its import library, an archive.
std::string stub_assembly(const LinkAliases& aliases);

}  // namespace gnu
