# f90 for Windows (an installation whose tools build with MinGW-w64): olink
# links with the MinGW-w64 linker, names libraries in the suite's way
# (name.lib, which olink finds as the linker's -lname) and writes the import
# library of a DLL beside it (x.dll, x.lib). What -link hands it for the GNU
# linker (-l<name>, -L<dir>, -Wl,..., -v) is passed on.

# Libraries named without a path (target_link_libraries(x user32)) as the
# suite names them, and the LINKER: options of link_options() through -link.
set(CMAKE_Fortran_LINK_LIBRARY_FLAG "")
set(CMAKE_Fortran_LINK_LIBRARY_SUFFIX ".lib")
set(CMAKE_Fortran_LINKER_WRAPPER_FLAG "-link" "-Wl,")
set(CMAKE_Fortran_LINKER_WRAPPER_FLAG_SEP ",")

# A console program by default, a GUI-subsystem one (-wsim) for WIN32
# executables; its Fortran main program runs either way.
set(CMAKE_Fortran_CREATE_CONSOLE_EXE "")
set(CMAKE_Fortran_CREATE_WIN32_EXE "-wsim")
set(CMAKE_Fortran_LINK_EXECUTABLE
    "<CMAKE_Fortran_COMPILER> <FLAGS> <CMAKE_Fortran_LINK_FLAGS> <LINK_FLAGS> <OBJECTS> -o <TARGET> <LINK_LIBRARIES>")

# A DLL: olink writes its import library as <name>.lib beside it; CMake
# links the library's users against <TARGET_IMPLIB>, which the C compiler's
# naming (lib<name>.dll.a) may make another file, so it is copied there.
set(CMAKE_Fortran_CREATE_SHARED_LIBRARY
    "<CMAKE_Fortran_COMPILER> <LINK_FLAGS> -dll -o <TARGET> <OBJECTS> <LINK_LIBRARIES>"
    "${CMAKE_COMMAND} -E copy_if_different <TARGET_BASE>.lib <TARGET_IMPLIB>")
set(CMAKE_Fortran_CREATE_SHARED_MODULE
    "<CMAKE_Fortran_COMPILER> <LINK_FLAGS> -dll -o <TARGET> <OBJECTS> <LINK_LIBRARIES>")

# The libraries and directories the MinGW-w64 linker gets implicitly, for
# targets that mix Fortran with C or C++ (as on Linux: olink shows the link
# it runs).
set(CMAKE_Fortran_VERBOSE_FLAG "-v -link -v")
set(CMAKE_Fortran_VERBOSE_COMPILE_FLAG "-v")

# Preprocessing alone (the Ninja generator's scan step) by the target's C
# preprocessor, so that the target's macros (_WIN32, ...) are defined as
# they are for the compile.
set(CMAKE_Fortran_PREPROCESS_SOURCE
    "${ORVANE_GNU_TARGET}-cpp -traditional-cpp -ffreestanding <DEFINES> <INCLUDES> <SOURCE> -o <PREPROCESSED_SOURCE>")
