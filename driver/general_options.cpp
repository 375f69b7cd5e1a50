// The general options: the last handler of the chain.
#include "driver/handlers.h"

void handle_general_option(ArgList*) {}
