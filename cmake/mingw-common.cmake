# Shared part of the mingw-w64 toolchain files; F90_MINGW_TRIPLE names the
# compiler family.
# The "posix" variants: their C++ library has std::mutex and std::thread,
# which GoogleTest needs (the "win32" ones lack them).
set(CMAKE_C_COMPILER ${F90_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${F90_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${F90_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${F90_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Static runtime: the executables need no mingw DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
