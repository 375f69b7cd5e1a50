# Run by cpack before it packs the .deb: /usr/bin/f90 and /usr/bin/OCC as
# relative links into the installation in /usr/lib/orvane. The driver finds
# its installation from the file the link leads to, and so do the tools
# their mode marker.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
set(root "${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
file(RELATIVE_PATH into "/usr/bin" "${CPACK_PACKAGING_INSTALL_PREFIX}/bin")
file(MAKE_DIRECTORY "${root}/usr/bin")
foreach(program f90 OCC)
  if(NOT EXISTS "${root}${CPACK_PACKAGING_INSTALL_PREFIX}/bin/${program}")
    message(FATAL_ERROR "${program} is not in the installation to be packed")
  endif()
  file(CREATE_LINK "${into}/${program}" "${root}/usr/bin/${program}" SYMBOLIC)
endforeach()
