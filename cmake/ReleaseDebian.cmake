# The Debian package (component system), included by cmake/Release.cmake. The show is a game to
# Debian: section games, so its commands live in /usr/games and their manual pages in section 6.
# The program, its decoder library and its data keep their folder, /usr/lib/orbek42; the
# documents written with the version (changelog, AppStream record) are made by
# cmake/ReleaseGenerator.cmake when the package is packed.

# The AppStream id: a reverse domain name under the reserved .example, the domain of the
# project's contact address, until the project has a domain of its own.
set(ORBEK_APPSTREAM_ID example.orbek42.orbek42)

# /usr/games/orbek42 leads to run.sh, which starts the program from its folder, where it finds
# data.dat; the capture tool finds data.dat beside itself through its link and writes where it
# was started.
install(TARGETS orbek42 mp3
  RUNTIME DESTINATION lib/orbek42 COMPONENT system
  LIBRARY DESTINATION lib/orbek42 COMPONENT system)
install(FILES ${ORBEK_RELEASE_DATA} DESTINATION lib/orbek42 COMPONENT system)
install(PROGRAMS ${CMAKE_SOURCE_DIR}/packaging/run.sh DESTINATION lib/orbek42 COMPONENT system)
set(commands orbek42)
set(programs ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/orbek42 ${CMAKE_LIBRARY_OUTPUT_DIRECTORY}/libmp3.so)
if(TARGET orbek42-capture)
  install(TARGETS orbek42-capture RUNTIME DESTINATION lib/orbek42 COMPONENT system)
  list(APPEND commands orbek42-capture)
  list(APPEND programs ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/orbek42-capture)
endif()
set(links)
set(manuals)
foreach(command IN LISTS commands)
  set(target ${command})
  if(command STREQUAL orbek42)
    set(target run.sh)
  endif()
  file(MAKE_DIRECTORY ${ORBEK_RELEASE_DIR}/games)
  file(CREATE_LINK ../lib/orbek42/${target} ${ORBEK_RELEASE_DIR}/games/${command} SYMBOLIC)
  list(APPEND links ${ORBEK_RELEASE_DIR}/games/${command})
  list(APPEND manuals ${ORBEK_RELEASE_DIR}/man/${command}.6.gz)
endforeach()
install(FILES ${links} DESTINATION games COMPONENT system)
install(FILES ${manuals} DESTINATION share/man/man6 COMPONENT system)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/orbek42.desktop
  DESTINATION share/applications COMPONENT system)
install(FILES ${ORBEK_RELEASE_DIR}/${ORBEK_APPSTREAM_ID}.metainfo.xml
  DESTINATION share/metainfo COMPONENT system)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${ORBEK_RELEASE_DIR}/changelog.gz
  ${ORBEK_RELEASE_DIR}/orbek42.nfo DESTINATION share/doc/orbek42 COMPONENT system)
if(TARGET release_icon)
  install(FILES ${ORBEK_RELEASE_DIR}/orbek42.png
    DESTINATION share/icons/hicolor/128x128/apps COMPONENT system)
endif()

# Depends: what dpkg-shlibdeps finds the programs and the decoder library linked against
# (cmake/ReleaseGenerator.cmake runs it), and by hand what no tool can see: the GL libraries SDL
# opens at run time for the window (libgl1, which brings Mesa's drivers) and for the capture
# tool's offscreen surface (libegl1). CPack's own run of dpkg-shlibdeps is left off: it would also
# add ldconfig calls for the decoder library, which lies in a private folder no linker searches.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
set(CPACK_ORBEK_HAND_DEPENDS "libgl1, libegl1")
set(CPACK_ORBEK_ELF_FILES ${programs})
if(TARGET orbek42-capture)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, ffmpeg")
else()
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)
endif()
set(CPACK_ORBEK_COMMANDS ${commands})
set(CPACK_ORBEK_APPSTREAM_ID ${ORBEK_APPSTREAM_ID})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A countdown of spinning 3D digits in a tube, an aeroplane that
departs through it and launches two rockets, the earth with a waving flag, and
a rocket that rises from it: five scenes in OpenGL, about three minutes with
music, played full screen. Escape ends the show. Its models, textures and music
were all made by the demo's own generator.
.
orbek42-capture records the show as a video of any size (with ffmpeg) or as
still frames, without a display.")
