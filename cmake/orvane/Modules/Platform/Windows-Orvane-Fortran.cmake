# f90 for Windows (an installation whose tools build with MinGW-w64): olink
# links with the MinGW-w64 linker, names libraries in the suite's way
# (name.lib, which olink finds as the linker's -lname) and writes the import
# library of a DLL beside it (x.dll, x.lib), from where the rule below moves
# it to where CMake wants it. What -link hands it for the GNU linker
# (-l<name>, -L<dir>, -Wl,..., -v) is passed on.

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
# The import library goes where CMake names it (<TARGET_IMPLIB>, in the
# archive output directory, often lib/ while the DLL goes to bin/): olink
# writes it beside the DLL and a second --out-implib through -link would not
# win over its own, so Orvane-Windows-implib.cmake moves it (and removes a
# module's, which nothing links against).
set(_orvane_link_dll
    "<CMAKE_Fortran_COMPILER> <CMAKE_Fortran_LINK_FLAGS> <LINK_FLAGS> -dll -o <TARGET> <OBJECTS> <LINK_LIBRARIES>")
set(_orvane_implib "-P \"${CMAKE_CURRENT_LIST_DIR}/../Orvane-Windows-implib.cmake\"")
set(CMAKE_Fortran_CREATE_SHARED_LIBRARY
    "${_orvane_link_dll}" "<CMAKE_COMMAND> -DDLL=<TARGET> -DIMPLIB=<TARGET_IMPLIB> ${_orvane_implib}")
set(CMAKE_Fortran_CREATE_SHARED_MODULE "${_orvane_link_dll}" "<CMAKE_COMMAND> -DDLL=<TARGET> ${_orvane_implib}")
unset(_orvane_link_dll)
unset(_orvane_implib)

# The runtime: f90 links the static one unless ORVANE_DLL_RUNTIME (see the
# toolchain) asks for the runtime DLLs.
if(ORVANE_DLL_RUNTIME)
  set(CMAKE_Fortran_LINK_FLAGS "-usedll")
endif()

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
