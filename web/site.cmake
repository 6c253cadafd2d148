# cmake -DSOURCE_DIR=web -DICON_DIR=resources/icons -DSITE_DIR=site -DNODE=node -P site.cmake
# Copies the page's files and icons beside the compiled module and writes the service worker with the list
# of files to keep and a cache name that changes whenever any of them does.
# The scripts and the style are made small for the download (minify.mjs).
foreach(file index.html manifest.webmanifest)
  configure_file(${SOURCE_DIR}/${file} ${SITE_DIR}/${file} COPYONLY)
endforeach()
foreach(file look.js tessel.js mirror.js languages.js how_to_play.js tessel.css)
  execute_process(COMMAND ${NODE} ${SOURCE_DIR}/minify.mjs ${SOURCE_DIR}/${file} ${SITE_DIR}/${file}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "minify.mjs could not read ${file}")
  endif()
endforeach()
# The icons phones ask for when the game is added to a home screen (180: iPhones and iPads).
foreach(icon 180 192 512 maskable-512)
  configure_file(${ICON_DIR}/tessel-${icon}.png ${SITE_DIR}/icons/tessel-${icon}.png COPYONLY)
endforeach()

file(GLOB_RECURSE files RELATIVE ${SITE_DIR} ${SITE_DIR}/*)
list(REMOVE_ITEM files sw.js)
# The languages' catalogues are kept as a page fetches them, not all ahead.
list(FILTER files EXCLUDE REGEX "^lang/")
list(SORT files)
set(digests "")
set(TESSEL_SITE_FILES "")
foreach(file IN LISTS files)
  file(SHA256 ${SITE_DIR}/${file} digest)
  string(APPEND digests "${file} ${digest}\n")
  string(APPEND TESSEL_SITE_FILES "  '${file}',\n")
endforeach()
string(SHA256 TESSEL_SITE_VERSION "${digests}")
string(SUBSTRING ${TESSEL_SITE_VERSION} 0 16 TESSEL_SITE_VERSION)
configure_file(${SOURCE_DIR}/sw.js ${SITE_DIR}/sw.js @ONLY)
execute_process(COMMAND ${NODE} ${SOURCE_DIR}/minify.mjs ${SITE_DIR}/sw.js ${SITE_DIR}/sw.js RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "minify.mjs could not read sw.js")
endif()
