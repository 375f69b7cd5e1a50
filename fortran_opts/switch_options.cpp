// -N switches for the code generator, the transformer and the front end,
// tried in the order of their numbers. +N19 and +N20 (and the '!' forms)
// share the entries of their minus forms.
#include <iterator>

#include "driver/settings.h"
#include "fortran_opts/option_table.h"

namespace {

bool code_gen(const char* flag) {
  arglist_append(CodeGenFlags, flag);
  return true;
}

bool alias_arg(const char* cg_flag) {
  arglist_append(TransformerFlags, "-YALIAS_ARG");
  return code_gen(cg_flag);
}

const FortranOption N[] = {
    {"N6", Form::Exact, nullptr, [](const char*, const char*) { return code_gen("-N6"); }},
    {"N11", Form::Exact, nullptr, [](const char*, const char*) { return code_gen("-N18"); }},
    {"N19", Form::Exact, nullptr, [](const char*, const char*) { return alias_arg("+N19"); }},
    {"N20", Form::Exact, nullptr, [](const char*, const char*) { return alias_arg("+N20"); }},
    {"N25", Form::Exact, nullptr,
     [](const char*, const char*) {
       arglist_append(TransformerFlags, "-YN25");
       return true;
     }},
    {"N26", Form::Exact, nullptr, taken},
    {"N27", Form::Exact, nullptr, taken},
    {"N80", Form::Exact, nullptr, [](const char*, const char*) { return code_gen("-N80"); }},
    {"N111", Form::Exact, nullptr, [](const char*, const char*) { return code_gen("-N6"); }},
    {"N113", Form::Exact, nullptr,
     [](const char*, const char*) {
       arglist_append(FrontEndFlags, "-sfloat64");
       return true;
     }},
};

const OptionTable Tables[] = {{'N', N, std::size(N)}};

}  // namespace

const OptionFamily SwitchOptions = {Tables, std::size(Tables)};
