// The option handlers, offered each argument in this order. A handler looks
// at the head of the argument list (and the entry after it for a separate
// value); it takes an argument by removing it, declines by leaving the list
// untouched, and never inserts.
#pragma once
#include "driver/arglist.h"

void handle_module_path_option(ArgList* args);  // -fdll, -WINAPIModFiles
void handle_linker_option(ArgList* args);       // libraries, target kinds, olink options
void handle_fortran_option(ArgList* args);      // the Fortran language options
void handle_general_option(ArgList* args);      // -c, -o, -O, -g, -v, -keep, ...

using OptionHandler = void (*)(ArgList* args);
extern const OptionHandler OptionHandlerChain[4];
