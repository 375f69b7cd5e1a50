#include "pipeline/temp_dir.h"

#include "driver/settings.h"

// Placeholder until the pipeline lands.
const char* get_temp_dir() { return TempDirPath; }
void remove_temp_dir() {}
