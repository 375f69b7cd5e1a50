# Cross build for 32-bit Windows with Debian's mingw-w64 compilers:
#   cmake -S . -B build-win32 --toolchain cmake/mingw-i686.cmake
#   cmake --build build-win32 -j2
# Give -DCMAKE_CROSSCOMPILING_EMULATOR=wine to run the unit tests with ctest.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(F90_MINGW_TRIPLE i686-w64-mingw32)
# The processor baseline is the i686 (Pentium Pro and later): the mingw-w64
# runtime, winpthreads and libstdc++ linked into every executable are built
# for it (their printf, threads and strings use CMOV), so the driver's own
# code compiled for a 486 or Pentium would not make the programs run there.
set(CMAKE_C_FLAGS_INIT "-march=i686")
set(CMAKE_CXX_FLAGS_INIT "-march=i686")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
