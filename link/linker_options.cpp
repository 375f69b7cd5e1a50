// The linker options.
#include "driver/handlers.h"

void handle_linker_option(ArgList*) {}
