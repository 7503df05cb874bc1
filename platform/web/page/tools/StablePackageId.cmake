# Run on the linked program before the site is made (cmake -D js=orbek42.js -D data=orbek42.data
# -P this file): the loader emscripten writes names its data package by a random id, used only to
# cache the package, which the page does not do. The id is made from the package's own bytes, so
# that the same sources always give the same orbek42.js.
file(READ ${js} script)
file(SHA256 ${data} digest)
string(REGEX REPLACE "^(........)(....)(....)(....)(............).*" "\\1-\\2-\\3-\\4-\\5" id ${digest})
string(REGEX REPLACE "\"package_uuid\":\"[0-9a-f-]*\"" "\"package_uuid\":\"${id}\"" stable "${script}")
if(NOT stable STREQUAL script)
  file(WRITE ${js} "${stable}")
endif()
