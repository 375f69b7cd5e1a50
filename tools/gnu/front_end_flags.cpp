// The front end's flags, as the driver writes them, and what the GNU-backed
// front end makes of each. Flags without a row (-Ab, -YVAR_NAMES=, message
// selections, ...) have no gfortran counterpart and change nothing.
#include <climits>

#include "tools/gnu/compile.h"

namespace gnu {
namespace {

using Row = FlagRow<FrontEndReading>;

// A directory named in a front-end flag. The driver derives an empty name
// from an output name that sits in the root directory ("/prog").
std::string flag_directory(const std::string& dir) { return absolute_path(dir.empty() ? "/" : dir); }

// The naming of external procedures and common blocks: kept as given, for
// the code generator, which names the object's symbols (naming.h).
template <const char* Flag>
void keep_naming(FrontEndReading& r, const std::string& value) {
  r.naming.push_back(Flag + value);
}
constexpr char ExtNames[] = "-YEXT_NAMES=", ExtSuffix[] = "-YEXT_SFX=", ExtPrefix[] = "-YEXT_PFX=",
               ComNames[] = "-YCOM_NAMES=", ComSuffix[] = "-YCOM_SFX=", ComPrefix[] = "-YCOM_PFX=";

// In this order; the first row that matches a flag applies.
const Row FrontEndFlags[] = {
    {"-ffree", false, [](FrontEndReading& r, const std::string&) { r.fixed = false; }},
    {"-ffixed", false, [](FrontEndReading& r, const std::string&) { r.fixed = true; }},
    {"-falt_fixed", false, [](FrontEndReading& r, const std::string&) { r.fixed = true; }},
    {"-YCLEN=", true,
     [](FrontEndReading& r, const std::string& v) {
       if (parse_digits(v, 10, ULLONG_MAX, Beyond::Held)) r.line_length = v;
     }},
    {"-i16", false, [](FrontEndReading& r, const std::string&) { r.integer_size = 2; }},
    {"-i32", false, [](FrontEndReading& r, const std::string&) { r.integer_size = 4; }},
    {"-i64", false, [](FrontEndReading& r, const std::string&) { r.integer_size = 8; }},
    {"-sfloat64", false, [](FrontEndReading& r, const std::string&) { r.real8 = true; }},
    {"-m4", false, [](FrontEndReading& r, const std::string&) { r.quiet = true; }},
    {"-YMOD_OUT_DIR=", true,
     [](FrontEndReading& r, const std::string& v) { r.module_out = v.empty() ? "/" : v; }},
    // A directory that is not there holds no modules; gfortran would only warn about it.
    {"-p", true,
     [](FrontEndReading& r, const std::string& v) {
       std::string dir = flag_directory(v);
       if (is_directory(dir)) r.search.push_back("-I" + dir);
     }},
    // Macros turn preprocessing on.
    {"-D", true,
     [](FrontEndReading& r, const std::string& v) {
       if (v.empty()) return;
       r.preprocessor.push_back("-D" + v);
       r.preprocess = true;
     }},
    {"-U", true,
     [](FrontEndReading& r, const std::string& v) {
       if (v.empty()) return;
       r.preprocessor.push_back("-U" + v);
       r.preprocess = true;
     }},
    {"-I", true,
     [](FrontEndReading& r, const std::string& v) {
       if (!v.empty()) r.preprocessor.push_back("-I" + absolute_path(v));
     }},
    // The higher optimisation levels give the front end a "-O0"; the code
    // generator then gets -O2 or -O3, and -O2 is the one a build most often
    // asks for.
    {"-O0", false, [](FrontEndReading& r, const std::string&) { r.guessed_later_flags = {"-O2"}; }},
    // -syntax: nothing follows the front end, which only checks.
    {"-dB", false, [](FrontEndReading& r, const std::string&) { r.check_only = true; }},
    {ExtNames, true, keep_naming<ExtNames>},
    {ExtSuffix, true, keep_naming<ExtSuffix>},
    {ExtPrefix, true, keep_naming<ExtPrefix>},
    {ComNames, true, keep_naming<ComNames>},
    {ComSuffix, true, keep_naming<ComSuffix>},
    {ComPrefix, true, keep_naming<ComPrefix>},
};

}  // namespace

void read_front_end_flag(const std::string& flag, FrontEndReading& reading) {
  apply_flag(FrontEndFlags, flag, reading);
}

Args front_end_table_flags() { return table_flags(FrontEndFlags); }

}  // namespace gnu
