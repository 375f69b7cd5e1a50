// Options handed to the front end as the user wrote them (with the canonical
// prefix): the letters d, e and R with their few special cases, -s and
// -syntax, -V and -x.
#include <iterator>

#include "driver/settings.h"
#include "fortran_opts/option_table.h"

namespace {

// Every -d, -e and -R argument reaches the front end, the bare letters
// included; -dryrun is left for the general options.
const FortranOption D[] = {
    {"dB", Form::Exact, nullptr,
     [](const char* a, const char* v) {
       TargetKind = KindSyntaxOnly;
       return pass_on_to_front_end(a, v);
     }},
    {"dryrun", Form::Exact, nullptr, declined},
    {"dR", Form::Exact, nullptr,
     [](const char* a, const char* v) {
       arglist_append(CodeGenFlags, "+N6");
       return pass_on_to_front_end(a, v);
     }},
    {"d", Form::Rest, nullptr, pass_on_to_front_end},
};

const FortranOption E[] = {
    {"eR", Form::Exact, nullptr,
     [](const char* a, const char* v) {
       arglist_append(CodeGenFlags, "-N6");
       return pass_on_to_front_end(a, v);
     }},
    {"e", Form::Rest, nullptr, pass_on_to_front_end},
};

const FortranOption R[] = {
    {"R", Form::Rest, nullptr, pass_on_to_front_end},
};

const FortranOption S[] = {
    {"s", Form::Exact, nullptr,
     [](const char*, const char*) {
       arglist_append(FrontEndFlags, "-ev");
       return true;
     }},
    {"syntax", Form::Exact, nullptr,
     [](const char*, const char*) {
       arglist_append(FrontEndFlags, "-dB");
       TargetKind = KindSyntaxOnly;
       return true;
     }},
};

const FortranOption V[] = {
    {"V", Form::Exact, nullptr, pass_on_to_front_end},
};

const FortranOption X[] = {
    {"x", Form::Attached, nullptr, pass_on_to_front_end},
    {"x", Form::Separate, nullptr,
     [](const char* a, const char* b) {
       arglist_append(FrontEndFlags, letter_and(a, b));
       return true;
     }},
};

const OptionTable Tables[] = {
    {'d', D, std::size(D)}, {'e', E, std::size(E)}, {'R', R, std::size(R)},
    {'s', S, std::size(S)}, {'V', V, std::size(V)}, {'x', X, std::size(X)},
};

}  // namespace

const OptionFamily PassOnOptions = {Tables, std::size(Tables)};
