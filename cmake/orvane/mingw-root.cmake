# A MinGW-w64 target, F90_MINGW_TRIPLE: its resource compiler, and its
# libraries, headers and packages looked for under its root only (programs
# are this machine's). Shared by the installed toolchain for a Windows target
# and by the Windows cross builds of f90 itself (cmake/mingw-common.cmake).
set(CMAKE_RC_COMPILER ${F90_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${F90_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
