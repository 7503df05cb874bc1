# Read by CPack once per package kind (CPACK_PROJECT_CONFIG_FILE): which part of the install goes
# into it, its file name, and the release text written with the version being packed.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_INSTALL_CMAKE_PROJECTS "${CPACK_ORBEK_BINARY_DIR};orbek42;system;/")
else()
  set(CPACK_INSTALL_CMAKE_PROJECTS "${CPACK_ORBEK_BINARY_DIR};orbek42;portable;/")
  set(CPACK_PACKAGE_FILE_NAME "orbek42-${CPACK_PACKAGE_VERSION}-${CPACK_SYSTEM_NAME}")
endif()

set(ORBEK_VERSION ${CPACK_PACKAGE_VERSION})
if(CPACK_GENERATOR STREQUAL "ZIP")
  set(newlines DOS)  # what Windows' own editor expects of a text file
else()
  set(newlines UNIX)
endif()
configure_file(${CPACK_ORBEK_RELEASE_TEXT} ${CPACK_ORBEK_RELEASE_DIR}/orbek42.nfo @ONLY
  NEWLINE_STYLE ${newlines})
