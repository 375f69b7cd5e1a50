# Read after the platform's rules for C and for C++ (the toolchain names it
# CMAKE_USER_MAKE_RULES_OVERRIDE_C and _CXX) when the toolchain is one for
# Windows: programs, DLLs and modules that gcc or g++ link get the static
# runtime (-static, which the compiler takes anywhere on its command line),
# as f90's own links do, unless ORVANE_DLL_RUNTIME asks for the runtime DLLs.
# A C or C++ program linking a Fortran library then gets gfortran's runtime
# (-lgfortran, from f90's implicit link libraries) from its static archive.
foreach(lang IN ITEMS C CXX)
  # The language whose information is being read: its rules are set, its
  # information not yet loaded.
  if(DEFINED CMAKE_${lang}_LINK_EXECUTABLE AND NOT CMAKE_${lang}_INFORMATION_LOADED)
    if(NOT ORVANE_DLL_RUNTIME)
      # The link is the last command of each rule.
      foreach(rule IN ITEMS LINK_EXECUTABLE CREATE_SHARED_LIBRARY CREATE_SHARED_MODULE)
        string(APPEND CMAKE_${lang}_${rule} " -static")
      endforeach()
    endif()
    if(ORVANE_USER_MAKE_RULES_OVERRIDE_${lang})
      include("${ORVANE_USER_MAKE_RULES_OVERRIDE_${lang}}")
    endif()
  endif()
endforeach()
