# cmake -DBUILD=<build dir> -DF90=<installed f90> -DLOG=<verbose build log> [-DTRIPLE=<MinGW-w64 triple>] \
#       -P check-build.cmake
# Checks a build of this project: the compiler id, every Fortran source
# compiled by f90 (compile_commands.json) and the build log: no gfortran run
# directly, the libraries made by f90 -lib and -dll, the program linked by
# f90 with the runtime search path of the build tree, and the C and C++
# programs linked with the Fortran runtime (the C one without the C++ one).
function(fail what)
  message(FATAL_ERROR "check-build: ${what}")
endfunction()

file(GLOB compiler_files "${BUILD}/CMakeFiles/*/CMakeFortranCompiler.cmake")
if(NOT compiler_files)
  fail("no CMakeFortranCompiler.cmake in ${BUILD}")
endif()
file(STRINGS ${compiler_files} id REGEX "CMAKE_Fortran_COMPILER_ID ")
if(NOT id STREQUAL "set(CMAKE_Fortran_COMPILER_ID \"Orvane\")")
  fail("compiler id: ${id}")
endif()

file(READ "${BUILD}/compile_commands.json" commands)
string(JSON count LENGTH "${commands}")
set(fortran 0)
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
  string(JSON file GET "${commands}" ${i} file)
  string(JSON command GET "${commands}" ${i} command)
  if(file MATCHES "\\.(f|F|f90|F90)$")
    math(EXPR fortran "${fortran} + 1")
    string(FIND "${command}" "${F90} " at)
    if(NOT at EQUAL 0)
      fail("${file} not compiled by ${F90}: ${command}")
    endif()
  else()
    string(FIND "${command}" "${F90}" at)
    if(NOT at EQUAL -1)
      fail("${file} compiled by f90: ${command}")
    endif()
  endif()
endforeach()
set(fortran_sources 6)
if(TRIPLE MATCHES "mingw32")
  set(fortran_sources 7)
endif()
if(NOT fortran EQUAL fortran_sources)
  fail("${fortran} Fortran compile commands, not ${fortran_sources}")
endif()

file(READ "${LOG}" log)
string(REGEX REPLACE "([][+.*()^$?|\\])" "\\\\\\1" f90 "${F90}")
string(REGEX REPLACE "([][+.*()^$?|\\])" "\\\\\\1" build "${BUILD}")
if(TRIPLE MATCHES "mingw32")
  # For Windows: the suite's library names, olink writing the DLL's import
  # library, user32 named as the suite names it, -wsim for the GUI program.
  set(expected
    "${f90} -lib -o geometry\\.lib "
    "${f90} +-dll -o stats\\.dll [^\n]*stats\\.f90\\.o [^\n]*csum\\.c\\.obj +m\\.lib"
    "${f90} [^\n]*main\\.f90\\.o -o app\\.exe +geometry\\.lib +stats\\.lib"
    "${f90} +-wsim [^\n]*window\\.f90\\.o -o window\\.exe +user32\\.lib"
    "g\\+\\+ [^\n]*-o cxxmain\\.exe [^\n]*geometry\\.lib [^\n]*-lgfortran"
    "gcc [^\n]*-o cmain\\.exe [^\n]*geometry\\.lib [^\n]*-lgfortran")
else()
  set(expected
    "${f90} -lib -o libgeometry\\.a "
    "${f90} +-dll -link -Wl,-soname,libstats\\.so -o libstats\\.so [^\n]*stats\\.f90\\.o [^\n]*csum\\.c\\.o +-link -lm"
    "${f90} [^\n]*main\\.f90\\.o -o app +-link -Wl,-rpath,${build} +libgeometry\\.a +libstats\\.so"
    # The C and C++ programs get the Fortran runtime from the implicit link
    # information CMake read from f90's link.
    "c\\+\\+ [^\n]*-o cxxmain +libgeometry\\.a +-lgfortran +-lquadmath"
    "cc [^\n]*-o cmain +libgeometry\\.a +-lgfortran +-lm +-lquadmath +-lm")
endif()
foreach(pattern IN LISTS expected)
  if(NOT log MATCHES "${pattern}")
    fail("no \"${pattern}\" in the build log ${LOG}")
  endif()
endforeach()
if(log MATCHES "-o cmain(\\.exe)?[^\n]*-lstdc")
  fail("the C program linked with the C++ runtime (build log ${LOG})")
endif()
if(log MATCHES "(^|[ /]|mingw32-)gfortran[ \n]")
  fail("gfortran run directly (build log ${LOG})")
endif()
