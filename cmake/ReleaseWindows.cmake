# The Windows program's resources, included by cmake/Release.cmake: the project's icon, which
# Explorer and the taskbar show, and a version record for the file's properties, both compiled by
# windres from packaging/orbek42.rc.in. The icon is made by the Linux build (target release_icon)
# from the same still as the menu's; scripts/release.sh makes it before configuring this build.
enable_language(RC)

set(ORBEK_WINDOWS_ICON ${CMAKE_SOURCE_DIR}/build/release/orbek42.ico
    CACHE FILEPATH "The program's icon, made by the Linux build's release_icon target")
if(EXISTS ${ORBEK_WINDOWS_ICON})
  file(TO_CMAKE_PATH ${ORBEK_WINDOWS_ICON} icon)
  set(ORBEK_RC_ICON "1 ICON \"${icon}\"")
  # windres reports no dependencies: a new icon must still rebuild the resources.
  set_source_files_properties(${ORBEK_RELEASE_DIR}/orbek42.rc TARGET_DIRECTORY orbek42
                              PROPERTIES OBJECT_DEPENDS ${icon})
else()
  message(STATUS "No ${ORBEK_WINDOWS_ICON} yet: orbek42.exe is built without its icon "
                 "(cmake --build --preset default --target release_icon makes it)")
  set(ORBEK_RC_ICON "")
endif()

# The fixed version numbers Explorer shows as the file version: the tag's first three numbers and
# the commits since it (1.2 is 1.2.0.0, 1.2+git20261210.3.abc1234 is 1.2.0.3, a tree with no tag
# 0.0.0.0); the full version is the product version text.
string(REGEX MATCH "^[0-9]+(\\.[0-9]+)?(\\.[0-9]+)?" tag "${ORBEK_VERSION}")
string(REPLACE "." ";" numbers "${tag}")
list(LENGTH numbers count)
while(count LESS 3)
  list(APPEND numbers 0)
  math(EXPR count "${count} + 1")
endwhile()
set(commits 0)
if(ORBEK_VERSION MATCHES "\\+git[0-9]+\\.([0-9]+)\\.")
  set(commits ${CMAKE_MATCH_1})
endif()
list(APPEND numbers ${commits})
list(JOIN numbers "," ORBEK_RC_VERSION_NUMBERS)
configure_file(${CMAKE_SOURCE_DIR}/packaging/orbek42.rc.in ${ORBEK_RELEASE_DIR}/orbek42.rc @ONLY)
target_sources(orbek42 PRIVATE ${ORBEK_RELEASE_DIR}/orbek42.rc)
