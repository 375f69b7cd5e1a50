# f90 on Linux: its olink links with the GNU linker (through gfortran), and
# what -link hands it that is meant for that linker (-l<name>, -L<dir>,
# -Wl,..., -rpath <dir>, -v) is passed on.

# Libraries named without a path (target_link_libraries(x m)) and the
# LINKER: options of link_options() reach the GNU linker through -link.
set(CMAKE_Fortran_LINK_LIBRARY_FLAG "-link -l")
set(CMAKE_Fortran_LINKER_WRAPPER_FLAG "-link" "-Wl,")
set(CMAKE_Fortran_LINKER_WRAPPER_FLAG_SEP ",")

# Shared libraries: their names, the runtime search path of the build tree
# (rewritten by CMake when installing), and the search path of the libraries
# they need.
set(CMAKE_SHARED_LIBRARY_SONAME_Fortran_FLAG "-link -Wl,-soname,")
set(CMAKE_SHARED_LIBRARY_RUNTIME_Fortran_FLAG "-link -Wl,-rpath,")
set(CMAKE_SHARED_LIBRARY_RUNTIME_Fortran_FLAG_SEP ":")
set(CMAKE_SHARED_LIBRARY_RPATH_LINK_Fortran_FLAG "-link -Wl,-rpath-link,")
set(CMAKE_SHARED_LIBRARY_LINK_Fortran_FLAGS "")
set(CMAKE_EXE_EXPORTS_Fortran_FLAG "-link -Wl,--export-dynamic")
foreach(type SHARED_LIBRARY SHARED_MODULE EXE)
  set(CMAKE_${type}_LINK_STATIC_Fortran_FLAGS "-link -Wl,-Bstatic")
  set(CMAKE_${type}_LINK_DYNAMIC_Fortran_FLAGS "-link -Wl,-Bdynamic")
endforeach()

# The libraries and directories the GNU linker gets implicitly, for targets
# that mix Fortran with C or C++: -v shows the tools' command lines, and
# -link -v makes olink show the GNU link it runs, which CMake reads.
set(CMAKE_Fortran_VERBOSE_FLAG "-v -link -v")
set(CMAKE_Fortran_VERBOSE_COMPILE_FLAG "-v")

# Preprocessing alone (the Ninja generator's step before it scans a source
# for modules) is no step f90 has: the system's C preprocessor does it, in
# the traditional mode gfortran uses for Fortran, and f90 then compiles its
# output.
set(CMAKE_Fortran_PREPROCESS_SOURCE
    "cpp -traditional-cpp -ffreestanding <DEFINES> <INCLUDES> <SOURCE> -o <PREPROCESSED_SOURCE>")
