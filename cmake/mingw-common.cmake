# Shared part of the mingw-w64 toolchain files; F90_MINGW_TRIPLE names the
# compiler family.
# The "posix" variants: their C++ library has std::mutex and std::thread,
# which GoogleTest needs (the "win32" ones lack them).
set(CMAKE_C_COMPILER ${F90_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${F90_MINGW_TRIPLE}-g++-posix)
include(${CMAKE_CURRENT_LIST_DIR}/orvane/mingw-root.cmake)
# Static runtime: the executables need no mingw DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
