# The installation, laid out as the driver runs from it:
#   <prefix>/bin/f90                  the driver, which finds <prefix> as the
#                                     parent of its own directory
#   <prefix>/bin/ftfront ... olink    the stand-in tools (and "gnu-mode", which
#                                     holds the target's triple, empty for the host)
#   <prefix>/F90INC                   the module directory
#   <prefix>/lib                      the directory of the start-up object
#   <prefix>/orvane_release.txt       printed when f90 gets no input file
#   <prefix>/cmake/                   the CMake toolchain (Linux)
# and the packages made from it by cpack: a .deb on Linux, a .zip from the
# Windows cross builds.

if(WIN32)
  set(F90_DEFAULT_STANDIN_MODE record)
else()
  set(F90_DEFAULT_STANDIN_MODE gnu)
endif()
set(F90_STANDIN_MODE ${F90_DEFAULT_STANDIN_MODE} CACHE STRING
    "Mode of the installed stand-in tools: gnu (they build with gfortran, gcc, g++ and ar) or record")
set_property(CACHE F90_STANDIN_MODE PROPERTY STRINGS gnu record)
# The Windows stand-ins have no GNU mode.
if(NOT F90_STANDIN_MODE MATCHES "^(gnu|record)$" OR (WIN32 AND F90_STANDIN_MODE STREQUAL "gnu"))
  message(FATAL_ERROR "F90_STANDIN_MODE must be gnu or record (record for Windows), not \"${F90_STANDIN_MODE}\"")
endif()
set(F90_GNU_TARGET "" CACHE STRING
    "Target of the gnu mode's tools: empty for this host, i686-w64-mingw32 or x86_64-w64-mingw32 (Windows programs)")
set_property(CACHE F90_GNU_TARGET PROPERTY STRINGS "" i686-w64-mingw32 x86_64-w64-mingw32)
option(F90_INSTALL_X_FORM "Also install f90_x and the _x tools it runs" OFF)

install(TARGETS f90 standin_ftfront standin_ixform standin_ocgen standin_OCC standin_olink
        RUNTIME DESTINATION bin)
# Everything the install takes from the build, and nothing else (no tests):
# cmake --build <build> --target installable && cmake --install <build> ...
add_custom_target(installable)
add_dependencies(installable f90 standin_ftfront standin_ixform standin_ocgen standin_OCC standin_olink)
if(TARGET manual)
  add_dependencies(installable manual)
endif()
install(DIRECTORY DESTINATION F90INC)
install(DIRECTORY DESTINATION lib)
# The CMake toolchain and the compiler modules it brings, beside the bin/
# whose f90 it names.
if(NOT WIN32)
  install(DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/orvane/ DESTINATION cmake)
endif()

# The mode marker, the release file and the _x form are made when
# installing, so that an install can choose otherwise than the configured
# defaults:
#   cmake -DF90_STANDIN_MODE=record -DF90_INSTALL_X_FORM=ON -DCMAKE_INSTALL_PREFIX=<dir> \
#         -P <build>/cmake_install.cmake
#   cmake -DF90_STANDIN_MODE=gnu -DF90_GNU_TARGET=i686-w64-mingw32 -DCMAKE_INSTALL_PREFIX=<dir> \
#         -P <build>/cmake_install.cmake
# After install-options.cmake, F90_GNU_TARGET holds the target of the
# installed tools (empty: this host, or the recording mode).
if(WIN32)
  set(F90_TARGET_WINDOWS TRUE)
else()
  set(F90_TARGET_WINDOWS FALSE)
endif()
install(CODE "set(F90_VERSION ${PROJECT_VERSION})
set(F90_TARGET_WINDOWS ${F90_TARGET_WINDOWS})
set(F90_X_FORM_PROGRAMS \"$<TARGET_FILE:f90>;$<TARGET_FILE:standin_ftfront>;$<TARGET_FILE:standin_ixform>;$<TARGET_FILE:standin_ocgen>\")
if(NOT DEFINED F90_STANDIN_MODE)
  set(F90_STANDIN_MODE ${F90_STANDIN_MODE})
endif()
if(NOT DEFINED F90_GNU_TARGET)
  set(F90_GNU_TARGET \"${F90_GNU_TARGET}\")
endif()
if(NOT DEFINED F90_INSTALL_X_FORM)
  set(F90_INSTALL_X_FORM ${F90_INSTALL_X_FORM})
endif()")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/install-options.cmake)

# Packages: cmake --build <build> --target package
set(CPACK_PACKAGE_NAME orvane-f90)
set(CPACK_PACKAGE_VENDOR "Orvane")
set(CPACK_PACKAGE_CONTACT "f90 driver developers <f90-driver@orvane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "driver of the Orvane Fortran 95 compiler suite")
set(CPACK_STRIP_FILES ON)
set(CPACK_VERBATIM_VARIABLES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_SYSTEM_NAME win64)
  else()
    set(CPACK_SYSTEM_NAME win32)
  endif()
else()
  # The installation goes to /usr/lib/orvane; /usr/bin gets f90, and OCC,
  # which the driver runs from the search path for C and C++ sources, as
  # links into it (cmake/deb-links.cmake).
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr/lib/orvane)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  # cpack asks dpkg, which names the build host's architecture.
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^i.86$" AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE i386)
  endif()
  set(CPACK_DEBIAN_PACKAGE_SECTION devel)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libgcc-s1, libstdc++6")
  if(F90_STANDIN_MODE STREQUAL "gnu")
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", gfortran, gcc, g++, binutils")
    set(F90_TOOLS_TEXT "build real programs with gfortran, gcc, g++ and ar")
  else()
    set(F90_TOOLS_TEXT "only record the command lines they are given")
  endif()
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "f90 translates its options into the command lines of the suite's tools
(ftfront, ixform, ocgen, OCC, olink) and runs them. The stand-ins installed
with it ${F90_TOOLS_TEXT}.")
  set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/deb-links.cmake)
  # The manual pages, the copyright file and the changelog (deb-docs.cmake).
  list(APPEND CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/deb-docs.cmake)
  # Why the programs are static, for lintian (deb-lintian.cmake).
  list(APPEND CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/deb-lintian.cmake)
  set(CPACK_F90_STATIC_PROGRAMS ${F90_HARDENED})
  set(CPACK_F90_DOC_DIR ${PROJECT_SOURCE_DIR}/doc)
endif()
include(CPack)
