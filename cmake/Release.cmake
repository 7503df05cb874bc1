# The release packages: what goes into each and how CPack makes them. scripts/release.sh runs
# CPack here with the version; cmake/ReleaseGenerator.cmake picks each package's part and names it.
#   component portable: a folder to unpack anywhere (Linux TGZ, Windows ZIP)
#   component system:   /usr/lib/orbek42, orbek42 on the PATH, a desktop entry (Linux DEB)
if(EMSCRIPTEN OR NOT TARGET orbek42 OR NOT TARGET mp3)
  return()
endif()

set(ORBEK_RELEASE_DIR ${CMAKE_BINARY_DIR}/release)
if(WIN32)
  # The cross build makes no data.dat of its own: the Linux build's is the same file.
  set(ORBEK_RELEASE_DATA ${CMAKE_SOURCE_DIR}/build/bin/data.dat
      CACHE FILEPATH "The data.dat the release packages carry")
  set(CPACK_SYSTEM_NAME win64)
  set(CPACK_GENERATOR ZIP)
else()
  set(ORBEK_RELEASE_DATA ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/data.dat
      CACHE FILEPATH "The data.dat the release packages carry")
  set(CPACK_SYSTEM_NAME linux-${CMAKE_SYSTEM_PROCESSOR})
  set(CPACK_GENERATOR "TGZ;DEB")
endif()

# The version when CPack is run without one (scripts/release.sh always gives it).
execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/version.sh
  OUTPUT_VARIABLE ORBEK_VERSION OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT ORBEK_VERSION)
  set(ORBEK_VERSION 0.0~unknown)
endif()
# The release text carries the version; CPack writes it again with the version it packs.
configure_file(${CMAKE_SOURCE_DIR}/packaging/orbek42.nfo.in ${ORBEK_RELEASE_DIR}/orbek42.nfo @ONLY)

# The folder: the program, its decoder library, its data, the release text and, on Linux, the
# script that starts the program from wherever the folder was unpacked.
install(TARGETS orbek42 mp3
  RUNTIME DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL
  LIBRARY DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL
  ARCHIVE DESTINATION lib COMPONENT development EXCLUDE_FROM_ALL)
install(FILES ${ORBEK_RELEASE_DATA} ${ORBEK_RELEASE_DIR}/orbek42.nfo
  DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)
if(NOT WIN32)
  install(PROGRAMS ${CMAKE_SOURCE_DIR}/packaging/run.sh
    DESTINATION . COMPONENT portable EXCLUDE_FROM_ALL)
endif()

if(NOT WIN32)
  # The system's copy: the same folder under lib/orbek42, reached through a link on the PATH to
  # run.sh, which follows it back to that folder.
  install(TARGETS orbek42 mp3
    RUNTIME DESTINATION lib/orbek42 COMPONENT system
    LIBRARY DESTINATION lib/orbek42 COMPONENT system)
  install(FILES ${ORBEK_RELEASE_DATA} DESTINATION lib/orbek42 COMPONENT system)
  install(PROGRAMS ${CMAKE_SOURCE_DIR}/packaging/run.sh DESTINATION lib/orbek42 COMPONENT system)
  file(CREATE_LINK ../lib/orbek42/run.sh ${ORBEK_RELEASE_DIR}/orbek42 SYMBOLIC)
  install(FILES ${ORBEK_RELEASE_DIR}/orbek42 DESTINATION bin COMPONENT system)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/orbek42.desktop
    DESTINATION share/applications COMPONENT system)
  install(FILES ${ORBEK_RELEASE_DIR}/orbek42.nfo DESTINATION share/doc/orbek42 COMPONENT system)

  # The menu's icon: the aeroplane leaving through the tube, from a still of the show cropped
  # square. An early frame, so that it takes seconds to make.
  find_program(ORBEK_FFMPEG ffmpeg)
  if(TARGET orbek42-capture AND TARGET data_dat AND ORBEK_FFMPEG)
    set(still ${ORBEK_RELEASE_DIR}/still)
    add_custom_command(OUTPUT ${ORBEK_RELEASE_DIR}/orbek42.png
      COMMAND ${CMAKE_COMMAND} -E make_directory ${still}
      COMMAND orbek42-capture --archive ${ORBEK_RELEASE_DATA} --png ${still} --frames 300
      COMMAND ${ORBEK_FFMPEG} -loglevel error -y -i ${still}/frame-00300.png
        -vf "crop=480:480,scale=128:128" ${ORBEK_RELEASE_DIR}/orbek42.png
      DEPENDS orbek42-capture data_dat
      COMMENT "Making the menu's icon from frame 300 of the show"
      VERBATIM)
    add_custom_target(release_icon DEPENDS ${ORBEK_RELEASE_DIR}/orbek42.png)
    install(FILES ${ORBEK_RELEASE_DIR}/orbek42.png
      DESTINATION share/icons/hicolor/128x128/apps COMPONENT system)
  endif()
endif()

set(CPACK_PACKAGE_NAME orbek42)
set(CPACK_PACKAGE_VERSION ${ORBEK_VERSION})
set(CPACK_PACKAGE_VENDOR "the ORBEK42 authors")
set(CPACK_PACKAGE_CONTACT "ORBEK42 authors <maintainers@users.noreply.c-seed-7864cdce.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real-time 3D demo with its own soundtrack")
set(CPACK_STRIP_FILES ON)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/cmake/ReleaseGenerator.cmake)
set(CPACK_ORBEK_BINARY_DIR ${CMAKE_BINARY_DIR})
set(CPACK_ORBEK_RELEASE_TEXT ${CMAKE_SOURCE_DIR}/packaging/orbek42.nfo.in)
set(CPACK_ORBEK_RELEASE_DIR ${ORBEK_RELEASE_DIR})

# The Debian package: its Depends come from dpkg-shlibdeps reading every ELF file it holds, the
# decoder library's own (libmpg123, SDL) included. Named by hand only what no tool can see: the GL
# library SDL opens at run time for the window (it brings Mesa's drivers), and the font.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS libgl1)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A countdown of spinning 3D digits in a tube, an aeroplane that
departs through it and launches two rockets, the earth with a waving flag, and
a rocket that rises from it: five scenes in OpenGL, 640x480 full screen, about
three minutes with music. Escape ends the show. Its models, textures and music
were all made by the demo's own generator.")

include(CPack)
