// The module-path handler: -fdll and -WINAPIModFiles.
#include "driver/handlers.h"

void handle_module_path_option(ArgList*) {}
