# Cross build for 64-bit Windows, for hosts whose wine runs only 64-bit
# programs:
#   cmake -S . -B build-win64 --toolchain cmake/mingw-x86_64.cmake
#   cmake --build build-win64 -j2
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(F90_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
