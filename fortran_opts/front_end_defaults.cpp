#include "driver/settings.h"
#include "fortran_opts/fortran_flags.h"

void set_front_end_defaults() {
  arglist_append(FrontEndFlags, "-Ab");
  arglist_append(FrontEndFlags, "-p.");
  arglist_append(TransformerFlags, "-hmif=p");
  arglist_append(CodeGenFlags, "-N76");
  arglist_append(CodeGenFlags, "-N104");
  arglist_append(CodeGenFlags, "-N105");
}
