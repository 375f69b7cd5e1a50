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

# Libraries named as the suite names them, whatever names the C compiler's
# platform gives its own: util.lib for a static library, x.dll with its
# import library x.lib (which olink writes beside it) for a DLL.
set(CMAKE_STATIC_LIBRARY_PREFIX_Fortran "")
set(CMAKE_STATIC_LIBRARY_SUFFIX_Fortran ".lib")
set(CMAKE_SHARED_LIBRARY_PREFIX_Fortran "")
set(CMAKE_SHARED_LIBRARY_SUFFIX_Fortran ".dll")
set(CMAKE_IMPORT_LIBRARY_PREFIX_Fortran "")
set(CMAKE_IMPORT_LIBRARY_SUFFIX_Fortran ".lib")
set(CMAKE_Fortran_CREATE_SHARED_LIBRARY
    "<CMAKE_Fortran_COMPILER> <LINK_FLAGS> -dll -o <TARGET> <OBJECTS> <LINK_LIBRARIES>")
set(CMAKE_Fortran_CREATE_SHARED_MODULE ${CMAKE_Fortran_CREATE_SHARED_LIBRARY})

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
