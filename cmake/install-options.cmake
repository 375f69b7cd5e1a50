# Part of the install (cmake/install.cmake sets the variables): the mode
# marker of the stand-in tools, the release file and the _x form.
set(f90_root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
if(NOT F90_STANDIN_MODE MATCHES "^(gnu|record)$" OR (F90_TARGET_WINDOWS AND F90_STANDIN_MODE STREQUAL "gnu"))
  message(FATAL_ERROR "F90_STANDIN_MODE must be gnu or record (record for Windows), not \"${F90_STANDIN_MODE}\"")
endif()

if(NOT F90_GNU_TARGET MATCHES "^(|i686-w64-mingw32|x86_64-w64-mingw32)$" OR
   (F90_TARGET_WINDOWS AND NOT F90_GNU_TARGET STREQUAL ""))
  message(FATAL_ERROR "F90_GNU_TARGET must be empty (this host), i686-w64-mingw32 or x86_64-w64-mingw32 "
                      "(empty for Windows), not \"${F90_GNU_TARGET}\"")
endif()

# The tools look for "gnu-mode" beside their own executable; it holds the
# target's triple (empty: this host).
set(marker "${f90_root}/bin/gnu-mode")
if(F90_STANDIN_MODE STREQUAL "gnu")
  if(F90_GNU_TARGET STREQUAL "")
    set(tools "stand-ins that compile and link with gfortran, gcc, g++ and ar")
  else()
    set(tools "stand-ins that build Windows programs with ${F90_GNU_TARGET}-gfortran, -gcc, -g++ and -ar")
  endif()
  message(STATUS "Installing: ${marker}")
  file(WRITE "${marker}" "${F90_GNU_TARGET}")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_PREFIX}/bin/gnu-mode")
else()
  set(tools "stand-ins that record their command lines and build nothing")
  set(F90_GNU_TARGET "")
  if(EXISTS "${marker}")
    message(STATUS "Removing: ${marker}")
    file(REMOVE "${marker}")
  endif()
endif()

set(release "${f90_root}/orvane_release.txt")
message(STATUS "Installing: ${release}")
if(F90_TARGET_WINDOWS)
  set(nl "\r\n")
else()
  set(nl "\n")
endif()
file(WRITE "${release}" "Orvane Fortran 95 compiler driver f90 ${F90_VERSION}${nl}Tools: ${tools}${nl}")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_PREFIX}/orvane_release.txt")

# f90_x runs ftfront_x, ixform_x and ocgen_x; OCC and olink keep their names.
if(F90_INSTALL_X_FORM)
  foreach(program ${F90_X_FORM_PROGRAMS})
    get_filename_component(name "${program}" NAME_WE)
    get_filename_component(suffix "${program}" EXT)
    file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/bin" TYPE PROGRAM RENAME "${name}_x${suffix}"
         FILES "${program}")
  endforeach()
endif()
