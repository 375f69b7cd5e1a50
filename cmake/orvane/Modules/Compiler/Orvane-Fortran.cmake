# f90, the driver of the Orvane Fortran 95 compiler suite, as CMake's Fortran
# compiler "Orvane": its own option language, on every system. What depends
# on the system's linker is in Platform/<system>-Orvane-Fortran.cmake.

# Only the suffixes f90 compiles as Fortran (it hands any other file to the
# linker).
set(CMAKE_Fortran_SOURCE_FILE_EXTENSIONS f;F;f90;F90;f95;F95;for;For;FOR)

# Source form, for the Fortran_FORMAT property.
set(CMAKE_Fortran_FORMAT_FIXED_FLAG "-ffixed")
set(CMAKE_Fortran_FORMAT_FREE_FLAG "-ffree")

# Include directories are searched for included files by -I and for module
# files by -p, so every include directory is given with both. The front end
# writes module files where -YMOD_OUT_DIR= says (Fortran_MODULE_DIRECTORY),
# else into the current directory; it searches that directory only when
# told with -p.
set(CMAKE_INCLUDE_FLAG_Fortran "-I")
set(CMAKE_Fortran_MODPATH_FLAG "-p")
set(CMAKE_Fortran_MODDIR_FLAG "-YMOD_OUT_DIR=")
set(CMAKE_Fortran_MODDIR_INCLUDE_FLAG "-p")
unset(CMAKE_INCLUDE_SYSTEM_FLAG_Fortran)

string(APPEND CMAKE_Fortran_FLAGS_DEBUG_INIT " -g")
string(APPEND CMAKE_Fortran_FLAGS_MINSIZEREL_INIT " -O1")
string(APPEND CMAKE_Fortran_FLAGS_RELEASE_INIT " -O3")
string(APPEND CMAKE_Fortran_FLAGS_RELWITHDEBINFO_INIT " -O2 -g")

# The code generator needs no option for code that goes into a shared
# library or a position-independent executable. An empty value would make
# CMake take the C compiler's options instead; ";" is a list of no options.
set(CMAKE_Fortran_COMPILE_OPTIONS_PIC ";")
set(CMAKE_Fortran_COMPILE_OPTIONS_PIE ";")
set(CMAKE_Fortran_LINK_OPTIONS_PIE ";")
set(CMAKE_Fortran_LINK_OPTIONS_NO_PIE ";")
set(CMAKE_Fortran_COMPILE_OPTIONS_DLL ";")
set(CMAKE_SHARED_LIBRARY_Fortran_FLAGS "")

# -dll links a shared library, -lib builds a static one (f90 names the
# archiver itself), both named by -o.
set(CMAKE_SHARED_LIBRARY_CREATE_Fortran_FLAGS "-dll")
set(CMAKE_SHARED_MODULE_CREATE_Fortran_FLAGS "-dll")
set(CMAKE_Fortran_CREATE_STATIC_LIBRARY "<CMAKE_Fortran_COMPILER> -lib -o <TARGET> <LINK_FLAGS> <OBJECTS>")
