// The Fortran language options.
#include "driver/handlers.h"

void handle_fortran_option(ArgList*) {}
