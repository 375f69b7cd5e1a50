# Run by cpack before it packs the .deb: the documentation where Debian
# keeps it. The manual pages, installed in the installation's
# share/man/man1, move to /usr/share/man/man1, compressed; the copyright
# file and the changelog (compressed) go to /usr/share/doc/<package>.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
set(root "${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
set(man_dir "${root}/usr/share/man/man1")
set(doc_dir "${root}/usr/share/doc/${CPACK_PACKAGE_NAME}")
set(readable OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
file(MAKE_DIRECTORY "${man_dir}" "${doc_dir}")

# gzip -9n: the smallest file, and no name or time stamp in it.
function(gzip_into source target_dir name)
  set(scratch "${CPACK_TOPLEVEL_DIRECTORY}/f90-docs")
  file(MAKE_DIRECTORY "${scratch}")
  execute_process(COMMAND gzip -9n -c "${source}" OUTPUT_FILE "${scratch}/${name}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip ${source} failed")
  endif()
  file(COPY "${scratch}/${name}" DESTINATION "${target_dir}" FILE_PERMISSIONS ${readable})
endfunction()

set(installed_man "${root}${CPACK_PACKAGING_INSTALL_PREFIX}/share/man/man1")
foreach(page f90 OCC)
  if(NOT EXISTS "${installed_man}/${page}.1")
    message(FATAL_ERROR "the manual page ${page}.1 is not in the installation: install pandoc and configure again")
  endif()
  gzip_into("${installed_man}/${page}.1" "${man_dir}" ${page}.1.gz)
endforeach()
file(REMOVE_RECURSE "${root}${CPACK_PACKAGING_INSTALL_PREFIX}/share")

file(COPY "${CPACK_F90_DOC_DIR}/copyright" DESTINATION "${doc_dir}" FILE_PERMISSIONS ${readable})
gzip_into("${CPACK_F90_DOC_DIR}/changelog" "${doc_dir}" changelog.gz)
