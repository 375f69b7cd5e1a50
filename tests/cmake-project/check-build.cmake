# cmake -DBUILD=<build dir> -DF90=<installed f90> -DLOG=<verbose build log> [-DTRIPLE=<MinGW-w64 triple>] \
#       -P check-build.cmake
# Checks a build of this project: the compiler id, every Fortran source
# compiled by f90 (compile_commands.json) and the build log: no gfortran run
# directly, the libraries made by f90 -lib and -dll, the program linked by
# f90 with the runtime search path of the build tree, and the C and C++
# programs linked with the Fortran runtime (the C one without the C++ one).
# Then where the libraries are, in the build tree and in its installation
# (<build dir>/installed), and for Windows that no program or DLL, of the
# build tree or of the consumer built against the installation
# (<build dir>/consumer), needs a runtime DLL unless built with
# ORVANE_DLL_RUNTIME (<build dir>/consumer-dll, when there).
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
  # For Windows: the suite's library names, the DLL's import library moved
  # from beside it to lib/, user32 named as the suite names it, -wsim for
  # the GUI program, the static runtime for gcc and g++ (the libraries of
  # their links are in a response file with the Makefile generator).
  set(expected
    "${f90} -lib -o lib/geometry\\.lib "
    "${f90} +-dll -o bin/stats\\.dll [^\n]*stats\\.f90\\.o [^\n]*csum\\.c\\.obj +m\\.lib"
    "-DDLL=bin/stats\\.dll -DIMPLIB=lib/stats\\.lib -P "
    "${f90} [^\n]*main\\.f90\\.o -o bin/app\\.exe +lib/geometry\\.lib +lib/stats\\.lib"
    "${f90} +-wsim [^\n]*window\\.f90\\.o -o bin/window\\.exe +user32\\.lib"
    "g\\+\\+ [^\n]*-o bin/cxxmain\\.exe [^\n]* -static"
    "gcc [^\n]*-o bin/cmain\\.exe [^\n]* -static")
  set(files bin/stats.dll lib/stats.lib lib/geometry.lib installed/bin/stats.dll installed/lib/stats.lib
      installed/lib/geometry.lib)
else()
  set(expected
    "${f90} -lib -o lib/libgeometry\\.a "
    "${f90} +-dll -link -Wl,-soname,libstats\\.so -o lib/libstats\\.so [^\n]*stats\\.f90\\.o [^\n]*csum\\.c\\.o +-link -lm"
    "${f90} [^\n]*main\\.f90\\.o -o bin/app +-link -Wl,-rpath,${build}/lib +lib/libgeometry\\.a +lib/libstats\\.so"
    # The C and C++ programs get the Fortran runtime from the implicit link
    # information CMake read from f90's link.
    "c\\+\\+ [^\n]*-o bin/cxxmain +lib/libgeometry\\.a +-lgfortran +-lquadmath"
    "cc [^\n]*-o bin/cmain +-Wl,-rpath,${build}/lib +lib/libgeometry\\.a +lib/libstats\\.so +-lgfortran +-lm +-lquadmath +-lm")
  set(files lib/libstats.so lib/libgeometry.a installed/lib/libstats.so installed/lib/libgeometry.a)
endif()
list(APPEND files installed/include/shapes.mod installed/include/stats.mod
     installed/lib/cmake/orvane_cmake_check/orvane_cmake_check-config.cmake)
foreach(file IN LISTS files)
  if(NOT EXISTS "${BUILD}/${file}")
    fail("no ${file} in ${BUILD}")
  endif()
endforeach()
foreach(pattern IN LISTS expected)
  if(NOT log MATCHES "${pattern}")
    fail("no \"${pattern}\" in the build log ${LOG}")
  endif()
endforeach()
if(log MATCHES "-o bin/cmain(\\.exe)?[^\n]*-lstdc")
  fail("the C program linked with the C++ runtime (build log ${LOG})")
endif()
if(log MATCHES "(^|[ /]|mingw32-)gfortran[ \n]")
  fail("gfortran run directly (build log ${LOG})")
endif()

if(TRIPLE MATCHES "mingw32")
  # Nothing but programs and DLLs in bin/, of the build and installed.
  file(GLOB stale "${BUILD}/bin/*.lib" "${BUILD}/bin/*.a" "${BUILD}/installed/bin/*.lib")
  if(stale)
    fail("left in bin/: ${stale}")
  endif()
  # The DLLs a file imports, by objdump -p.
  function(imports file result)
    execute_process(COMMAND ${TRIPLE}-objdump -p "${file}" OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "DLL Name: [^\n]+" names "${dump}")
    set(${result} "${names}" PARENT_SCOPE)
  endfunction()
  set(runtime "lib(gfortran|quadmath|gcc_s|stdc\\+\\+|winpthread)[^;]*\\.dll")
  file(GLOB programs "${BUILD}/bin/*" "${BUILD}/consumer/*.exe" "${BUILD}/consumer/*.dll")
  list(LENGTH programs count)
  if(NOT count EQUAL 8)
    fail("${count} programs and DLLs built, not 8: ${programs}")
  endif()
  foreach(program IN LISTS programs)
    imports("${program}" names)
    if(names MATCHES "${runtime}")
      fail("${program} imports a runtime DLL: ${names}")
    endif()
  endforeach()
  if(EXISTS "${BUILD}/consumer-dll")
    imports("${BUILD}/consumer-dll/cmain.exe" names)
    if(NOT names MATCHES "libgfortran-5\\.dll")
      fail("consumer-dll/cmain.exe, built with ORVANE_DLL_RUNTIME, imports no libgfortran-5.dll: ${names}")
    endif()
  endif()
endif()
