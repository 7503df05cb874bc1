# The release packages: what goes into each and how CPack makes them. scripts/release.sh runs
# CPack here with the version; cmake/ReleaseGenerator.cmake picks each package's part and names it.
#   component portable: a folder to unpack anywhere (Linux TGZ, Windows ZIP)
#   component system:   the Debian package's tree (cmake/ReleaseDebian.cmake)
if(EMSCRIPTEN OR NOT TARGET orbek42 OR NOT TARGET mp3)
  return()
endif()

set(ORBEK_RELEASE_DIR ${CMAKE_BINARY_DIR}/release)
# CPack installs what scripts/release.sh built, and no more: without this its install step would
# first build every target of the tree, the tests and benchmarks included.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
# Installed folders get the same modes whatever the umask of whoever packs them.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
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

if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/ReleaseWindows.cmake)
else()
  # The icons: the earth with its flag, from one still of the show cropped square around them,
  # for the menu (PNG) and for the Windows program (ICO, 256 to 16 pixels; the cross build takes
  # it from here). A frame without particles, whose randomness would change the icon at every
  # build.
  find_program(ORBEK_FFMPEG ffmpeg)
  if(TARGET orbek42-capture AND TARGET data_dat AND ORBEK_FFMPEG)
    set(still ${ORBEK_RELEASE_DIR}/still)
    add_custom_command(OUTPUT ${ORBEK_RELEASE_DIR}/orbek42.png ${ORBEK_RELEASE_DIR}/orbek42.ico
      COMMAND ${CMAKE_COMMAND} -E make_directory ${still}
      COMMAND orbek42-capture --archive ${ORBEK_RELEASE_DATA} --png ${still} --frames 3300
      COMMAND ${ORBEK_FFMPEG} -loglevel error -y -i ${still}/frame-03300.png
        -vf "crop=440:440:50:10,scale=128:128" ${ORBEK_RELEASE_DIR}/orbek42.png
      # Windows draws the large size from PNG and the small ones from bitmaps with alpha.
      COMMAND ${ORBEK_FFMPEG} -loglevel error -y -i ${still}/frame-03300.png -filter_complex
        "crop=440:440:50:10,split=4[a][b][c][d];[a]scale=256:256[s256];[b]scale=48:48[s48];[c]scale=32:32[s32];[d]scale=16:16[s16]"
        -map [s256] -map [s48] -map [s32] -map [s16] -frames:v 1
        -c:v png -pix_fmt rgba -c:v:1 bmp -c:v:2 bmp -c:v:3 bmp
        -pix_fmt:v:1 bgra -pix_fmt:v:2 bgra -pix_fmt:v:3 bgra ${ORBEK_RELEASE_DIR}/orbek42.ico
      DEPENDS orbek42-capture data_dat
      COMMENT "Making the icons from frame 3300 of the show"
      VERBATIM)
    add_custom_target(release_icon
      DEPENDS ${ORBEK_RELEASE_DIR}/orbek42.png ${ORBEK_RELEASE_DIR}/orbek42.ico)
  endif()
  include(${CMAKE_CURRENT_LIST_DIR}/ReleaseDebian.cmake)
endif()

set(CPACK_PACKAGE_NAME orbek42)
set(CPACK_PACKAGE_VERSION ${ORBEK_VERSION})  # when CPack is run without one, as release.sh is not
set(CPACK_PACKAGE_VENDOR "the ORBEK42 authors")
set(CPACK_PACKAGE_CONTACT "ORBEK42 authors <maintainers@users.noreply.c-seed-7864cdce.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real-time 3D demo with its own soundtrack")
set(CPACK_STRIP_FILES ON)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/cmake/ReleaseGenerator.cmake)
set(CPACK_ORBEK_SOURCE_DIR ${CMAKE_SOURCE_DIR})
set(CPACK_ORBEK_BINARY_DIR ${CMAKE_BINARY_DIR})
set(CPACK_ORBEK_RELEASE_DIR ${ORBEK_RELEASE_DIR})

include(CPack)
