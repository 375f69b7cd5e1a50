#include "fortran_opts/fortran_flags.h"

void finish_fortran_flags() {}
