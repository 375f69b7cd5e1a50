// The run's private temporary directory: made on first request, emptied and
// removed at exit unless -keep was given.
#pragma once

// TempDirPath, making the directory on the first call.
const char* get_temp_dir();
// Empties and removes the directory; nothing when none was made or -keep.
void remove_temp_dir();
