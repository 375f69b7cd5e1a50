# CMake toolchain of the Orvane Fortran 95 compiler suite: Fortran sources are
# compiled and linked by the f90 of this installation, which CMake knows as
# its own compiler, "Orvane" (Modules/ beside this file teach CMake f90's
# options). Use it as
#
#   cmake --toolchain <installation>/cmake/orvane-toolchain.cmake -S <source> -B <build>
#
# An installation whose tools build for the host (Linux) leaves C and C++
# sources to the host's compilers (gcc and g++). One whose tools build for
# Windows with MinGW-w64 (the triple recorded in bin/gnu-mode) makes this a
# cross toolchain for Windows: the triple's gcc and g++, its system
# libraries, and programs run by wine (tests under ctest, checks that run
# what they build).

get_filename_component(_orvane_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(CMAKE_Fortran_COMPILER "${_orvane_root}/bin/f90")

set(ORVANE_GNU_TARGET "")
if(EXISTS "${_orvane_root}/bin/gnu-mode")
  file(STRINGS "${_orvane_root}/bin/gnu-mode" ORVANE_GNU_TARGET LIMIT_COUNT 1)
endif()
if(ORVANE_GNU_TARGET MATCHES "^(i686|x86_64)-w64-mingw32$")
  set(CMAKE_SYSTEM_NAME Windows)
  set(CMAKE_SYSTEM_PROCESSOR ${CMAKE_MATCH_1})
  set(CMAKE_C_COMPILER ${ORVANE_GNU_TARGET}-gcc)
  set(CMAKE_CXX_COMPILER ${ORVANE_GNU_TARGET}-g++)
  set(F90_MINGW_TRIPLE ${ORVANE_GNU_TARGET})
  include("${CMAKE_CURRENT_LIST_DIR}/mingw-root.cmake")
  # Installations for the target named on the command line
  # (-DCMAKE_PREFIX_PATH=<prefix>) are searched where they are, beside the
  # target's root, rather than under it.
  list(APPEND CMAKE_FIND_ROOT_PATH ${CMAKE_PREFIX_PATH})
  if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    find_program(ORVANE_WINE NAMES wine)
    if(ORVANE_WINE)
      set(CMAKE_CROSSCOMPILING_EMULATOR ${ORVANE_WINE})
    endif()
  endif()
  # The runtime of the programs and DLLs built: as f90 links them by
  # default, gcc and g++ link the static runtime (gfortran's, gcc's and
  # g++'s, -static) into the programs and DLLs they link, so that they run
  # with nothing beside them; ORVANE_DLL_RUNTIME links them all with the
  # runtime DLLs instead (f90 -usedll, gcc and g++ as they are), which then
  # ship with the program.
  option(ORVANE_DLL_RUNTIME "Link with the runtime DLLs of gfortran, gcc and g++, not the static runtime" OFF)
  list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ORVANE_DLL_RUNTIME)
  set(_orvane_rules "${CMAKE_CURRENT_LIST_DIR}/Modules/Orvane-Windows-runtime.cmake")
  foreach(lang IN ITEMS C CXX)
    # A project's own override is read after this one.
    if(CMAKE_USER_MAKE_RULES_OVERRIDE_${lang} AND NOT CMAKE_USER_MAKE_RULES_OVERRIDE_${lang} STREQUAL _orvane_rules)
      set(ORVANE_USER_MAKE_RULES_OVERRIDE_${lang} "${CMAKE_USER_MAKE_RULES_OVERRIDE_${lang}}")
      list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ORVANE_USER_MAKE_RULES_OVERRIDE_${lang})
    endif()
    set(CMAKE_USER_MAKE_RULES_OVERRIDE_${lang} "${_orvane_rules}")
  endforeach()
  unset(_orvane_rules)
endif()

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

# The compiler and platform modules are found before CMake's own. (No
# IN_LIST here: a project that asks for CMake older than 3.3, as LAPACK's
# 3.2, reads the toolchain under the old policy, where if() does not know it.)
list(FIND CMAKE_MODULE_PATH "${CMAKE_CURRENT_LIST_DIR}/Modules" _orvane_modules_at)
if(_orvane_modules_at EQUAL -1)
  list(PREPEND CMAKE_MODULE_PATH "${CMAKE_CURRENT_LIST_DIR}/Modules")
endif()
unset(_orvane_modules_at)
