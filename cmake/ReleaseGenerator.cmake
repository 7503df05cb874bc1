# Read by CPack once per package kind (CPACK_PROJECT_CONFIG_FILE): which part of the install goes
# into it, its file name, and what is written with the version being packed: the release text
# and, for the Debian package, its changelog, AppStream record, gzipped manual pages and Depends.
# Dates are the commit's (SOURCE_DATE_EPOCH, which string(TIMESTAMP) reads), so that packing the
# same commit twice gives the same bytes.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_INSTALL_CMAKE_PROJECTS "${CPACK_ORBEK_BINARY_DIR};orbek42;system;/")
else()
  set(CPACK_INSTALL_CMAKE_PROJECTS "${CPACK_ORBEK_BINARY_DIR};orbek42;portable;/")
  set(CPACK_PACKAGE_FILE_NAME "orbek42-${CPACK_PACKAGE_VERSION}-${CPACK_SYSTEM_NAME}")
endif()

set(ORBEK_VERSION ${CPACK_PACKAGE_VERSION})
set(release ${CPACK_ORBEK_RELEASE_DIR})
set(packaging ${CPACK_ORBEK_SOURCE_DIR}/packaging)
if(CPACK_GENERATOR STREQUAL "ZIP")
  set(newlines DOS)  # what Windows' own editor expects of a text file
else()
  set(newlines UNIX)
endif()
configure_file(${packaging}/orbek42.nfo.in ${release}/orbek42.nfo @ONLY NEWLINE_STYLE ${newlines})

# gzip_file IN OUT: gzip at its best, without the name and time that would make two runs differ.
function(gzip_file in out)
  execute_process(COMMAND gzip -9nc ${in} OUTPUT_FILE ${out} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip could not compress ${in}")
  endif()
endfunction()

if(CPACK_GENERATOR STREQUAL "DEB")
  set(ORBEK_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
  string(TIMESTAMP ORBEK_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
  string(TIMESTAMP ORBEK_RELEASE_DATE "%Y-%m-%d" UTC)
  set(ORBEK_APPSTREAM_ID ${CPACK_ORBEK_APPSTREAM_ID})
  configure_file(${packaging}/changelog.in ${release}/changelog @ONLY)
  gzip_file(${release}/changelog ${release}/changelog.gz)
  configure_file(${packaging}/orbek42.metainfo.xml.in
                 ${release}/${ORBEK_APPSTREAM_ID}.metainfo.xml @ONLY)
  file(MAKE_DIRECTORY ${release}/man)
  foreach(command IN LISTS CPACK_ORBEK_COMMANDS)
    gzip_file(${packaging}/man/${command}.6 ${release}/man/${command}.6.gz)
  endforeach()

  # dpkg-shlibdeps wants to be run where a debian/control is; it reads nothing from it here.
  set(work ${release}/shlibdeps)
  file(MAKE_DIRECTORY ${work}/debian)
  file(TOUCH ${work}/debian/control)
  set(arguments)
  foreach(file IN LISTS CPACK_ORBEK_ELF_FILES)
    list(APPEND arguments -e${file})
  endforeach()
  execute_process(COMMAND dpkg-shlibdeps -O ${arguments} WORKING_DIRECTORY ${work}
    OUTPUT_VARIABLE found ERROR_VARIABLE problems RESULT_VARIABLE status
    OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT status EQUAL 0 OR NOT found MATCHES "^shlibs:Depends=")
    message(FATAL_ERROR "dpkg-shlibdeps could not work out the dependencies: ${problems}")
  endif()
  string(REGEX REPLACE "^shlibs:Depends=" "" found "${found}")
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CPACK_ORBEK_HAND_DEPENDS}, ${found}")
endif()
