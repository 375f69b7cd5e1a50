# The installation, laid out as the driver runs from it:
#   <prefix>/bin/f90                  the driver, which finds <prefix> as the
#                                     parent of its own directory
#   <prefix>/bin/ftfront ... olink    the stand-in tools (and "gnu-mode")
#   <prefix>/F90INC                   the module directory
#   <prefix>/lib                      the directory of the start-up object
#   <prefix>/orvane_release.txt       printed when f90 gets no input file

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
option(F90_INSTALL_X_FORM "Also install f90_x and the _x tools it runs" OFF)

install(TARGETS f90 standin_ftfront standin_ixform standin_ocgen standin_OCC standin_olink
        RUNTIME DESTINATION bin)
install(DIRECTORY DESTINATION F90INC)
install(DIRECTORY DESTINATION lib)

# The mode marker, the release file and the _x form are made when
# installing, so that an install can choose otherwise than the configured
# defaults:
#   cmake -DF90_STANDIN_MODE=record -DF90_INSTALL_X_FORM=ON -DCMAKE_INSTALL_PREFIX=<dir> \
#         -P <build>/cmake_install.cmake
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
if(NOT DEFINED F90_INSTALL_X_FORM)
  set(F90_INSTALL_X_FORM ${F90_INSTALL_X_FORM})
endif()")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/install-options.cmake)
