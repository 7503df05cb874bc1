# The web page's picture for shared links, made in the native tree from the show itself as the
# menu's icon is (cmake/Release.cmake, release_icon, which the page also uses as its favicon):
# frame 3100, the earth with its flag, drawn at 1200x900 and cropped to 1200x630. A frame without
# particles, whose pixels are the same on every run. The web build copies both into its site.
if(EMSCRIPTEN OR WIN32 OR NOT TARGET orbek42-capture OR NOT TARGET data_dat)
  return()
endif()
find_program(ORBEK_FFMPEG ffmpeg)
if(NOT ORBEK_FFMPEG)
  return()
endif()

set(ORBEK_WEB_IMAGES_DIR ${CMAKE_BINARY_DIR}/web)
add_custom_command(OUTPUT ${ORBEK_WEB_IMAGES_DIR}/preview.png
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ORBEK_WEB_IMAGES_DIR}/still
  COMMAND orbek42-capture --archive ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/data.dat
    --png ${ORBEK_WEB_IMAGES_DIR}/still --frames 3100 --size 1200x900 --supersample 2
  COMMAND ${ORBEK_FFMPEG} -loglevel error -y -i ${ORBEK_WEB_IMAGES_DIR}/still/frame-03100.png
    -vf crop=1200:630 -fflags +bitexact -flags +bitexact -map_metadata -1
    ${ORBEK_WEB_IMAGES_DIR}/preview.png
  DEPENDS orbek42-capture data_dat
  COMMENT "Making the web page's link preview from frame 3100 of the show"
  VERBATIM)
add_custom_target(web_images DEPENDS ${ORBEK_WEB_IMAGES_DIR}/preview.png)
if(TARGET release_icon)
  add_dependencies(web_images release_icon)
endif()
