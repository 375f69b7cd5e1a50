# cmake -DDLL=<DLL> [-DIMPLIB=<import library>] -P Orvane-Windows-implib.cmake
# Run after f90 -dll links a DLL for Windows: olink writes the import
# library of x.dll beside it, as x.lib; it is moved to IMPLIB, where CMake
# wants it, or removed without IMPLIB (a module, which nothing links
# against).
string(REGEX REPLACE "\\.[^./]*$" "" base "${DLL}")
if(NOT IMPLIB)
  file(REMOVE "${base}.lib")
elseif(NOT "${base}.lib" STREQUAL IMPLIB)
  file(RENAME "${base}.lib" "${IMPLIB}")
endif()
