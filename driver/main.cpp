// f90: the driver of the Fortran 95 compiler suite.
#include <cstdio>

#include "driver/exit.h"
#include "driver/intake.h"
#include "driver/settings.h"
#include "driver/startup.h"
#include "fortran_opts/fortran_flags.h"
#include "link/link.h"
#include "pipeline/pipeline.h"

int main(int argc, char** argv) {
  register_exit_cleanup();
  ArgList* args = arglist_from_argv(argc, argv);
  ArgList* input_files = arglist_create();
  init_flag_lists();
  driver_startup(args);
  set_front_end_defaults();
  arglist_remove_first(args);  // the program name
  read_default_options(args, "f90");
  take_arguments(args, input_files);
  arglist_destroy(args);

  plan_link(input_files);

  if (CheckOptsOnly) {
    while (arglist_first(input_files)) arglist_remove_first(input_files);
  } else if (arglist_first(input_files)) {
    compile_inputs(input_files);
  } else {
    print_release_info();
    std::fputs("ERROR: No input files.\n", stderr);
  }
  arglist_destroy(input_files);
  driver_exit(0);
}
