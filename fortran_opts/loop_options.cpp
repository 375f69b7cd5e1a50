// Loop-unrolling values (turned into the transformer's unrolling flag once
// every option is known) and -T.
#include <iterator>
#include <string>

#include "driver/option_text.h"
#include "driver/settings.h"
#include "fortran_opts/option_table.h"

namespace {

const FortranOption LowerH[] = {
    {"h", Form::Number, nullptr,
     [](const char*, const char* n) {
       UnrollCount = decimal_value(n);
       return true;
     }},
};

// -H<n> when a digit follows the H, else -HF<n>.
const FortranOption UpperH[] = {
    {"H", Form::Number, nullptr,
     [](const char*, const char* n) {
       UnrollLimit = decimal_value(n);
       return true;
     }},
    {"HF", Form::Number, nullptr,
     [](const char*, const char* n) {
       UnrollThird = decimal_value(n);
       return true;
     }},
};

const FortranOption U[] = {
    {"U", Form::Exact, nullptr,
     [](const char*, const char*) {
       UnrollCount = UnrollLimit = -1;
       return true;
     }},
};

bool max_gh(const char*, const char* digits) {
  std::string flag = std::string("-YMXGH=") + digits;
  arglist_append(FrontEndFlags, flag);
  arglist_append(TransformerFlags, flag);
  return true;
}

const FortranOption T[] = {
    {"T", Form::Number, nullptr, max_gh},
    {"T", Form::Separate, all_digits, max_gh},
};

const OptionTable Tables[] = {
    {'h', LowerH, std::size(LowerH)},
    {'H', UpperH, std::size(UpperH)},
    {'U', U, std::size(U)},
    {'T', T, std::size(T)},
};

}  // namespace

const OptionFamily LoopOptions = {Tables, std::size(Tables)};
