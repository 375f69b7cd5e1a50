# Run by cpack before it packs the .deb: Debian's checks are told why the
# driver and the tools are static executables (see f90_link_for_quick_start
# in CMakeLists.txt): each starts once per source file of a build.
if(NOT CPACK_GENERATOR STREQUAL "DEB" OR NOT CPACK_F90_STATIC_PROGRAMS)
  return()
endif()
set(dir "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/share/lintian/overrides")
file(MAKE_DIRECTORY "${dir}")
set(prefix "${CPACK_PACKAGING_INSTALL_PREFIX}")
string(REGEX REPLACE "^/" "" prefix "${prefix}")
file(WRITE "${dir}/${CPACK_PACKAGE_NAME}"
  "# The driver and the tools are static position-independent executables (each\n"
  "# starts once per source file of a build, without the dynamic loader's work):\n"
  "# the check takes them for libraries.\n"
  "${CPACK_PACKAGE_NAME}: shared-library-lacks-prerequisites [${prefix}/bin/*]\n")
file(CHMOD "${dir}/${CPACK_PACKAGE_NAME}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
