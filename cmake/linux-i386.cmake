# 32-bit x86 Linux build with Debian's multilib compilers (g++-multilib),
# statically linked, so that qemu-i386 runs it on a 64-bit-only kernel:
#   cmake -S . -B build-i386 --toolchain cmake/linux-i386.cmake
#   cmake --build build-i386 -j2
# ctest runs the unit tests through qemu-i386 (the emulator set below).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT "-m32")
set(CMAKE_CXX_FLAGS_INIT "-m32")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32 -static")
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386 CACHE STRING "Runs the 32-bit programs")
