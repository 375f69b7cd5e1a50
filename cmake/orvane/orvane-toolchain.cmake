# CMake toolchain of the Orvane Fortran 95 compiler suite: Fortran sources are
# compiled and linked by the f90 of this installation, which CMake knows as
# its own compiler, "Orvane" (Modules/ beside this file teach CMake f90's
# options). Use it as
#
#   cmake --toolchain <installation>/cmake/orvane-toolchain.cmake -S <source> -B <build>
#
# C and C++ sources keep the host's compilers (gcc and g++ on Linux).

get_filename_component(_orvane_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(CMAKE_Fortran_COMPILER "${_orvane_root}/bin/f90")

# CMake's own identification compiles a probe whose preprocessor macros tell
# the vendor; behind the GNU-backed tools those are gfortran's, so CMake
# would take f90 for GNU and hand it GNU's options. The id is given here
# instead, and the compiler is still tried and its ABI detected.
set(CMAKE_Fortran_COMPILER_ID Orvane)
set(CMAKE_Fortran_COMPILER_ID_RUN TRUE)
set(CMAKE_Fortran_COMPILER_SUPPORTS_F90 TRUE)
set(CMAKE_Fortran_COMPILER_VERSION "")
if(EXISTS "${_orvane_root}/orvane_release.txt")
  file(STRINGS "${_orvane_root}/orvane_release.txt" _orvane_release LIMIT_COUNT 1)
  if(_orvane_release MATCHES "f90 ([0-9]+(\\.[0-9]+)*)")
    set(CMAKE_Fortran_COMPILER_VERSION "${CMAKE_MATCH_1}")
  endif()
endif()

# The compiler and platform modules are found before CMake's own.
if(NOT "${CMAKE_CURRENT_LIST_DIR}/Modules" IN_LIST CMAKE_MODULE_PATH)
  list(PREPEND CMAKE_MODULE_PATH "${CMAKE_CURRENT_LIST_DIR}/Modules")
endif()
