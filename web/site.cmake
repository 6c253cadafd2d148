# cmake -DSOURCE_DIR=web -DICON_DIR=resources/icons -DSITE_DIR=site -DNODE=node -DSYSTEM_LOOKS=FILE -P site.cmake
# Copies the page's files and icons beside the compiled module and writes the service worker with the list
# of files to keep and a cache name that changes whenever any of them does. look.js gets the looks "As the
# system" gives from SYSTEM_LOOKS, which the game's own rule printed.
# The scripts and the style are made small for the download (minify.mjs).
foreach(file index.html manifest.webmanifest)
  configure_file(${SOURCE_DIR}/${file} ${SITE_DIR}/${file} COPYONLY)
endforeach()
file(READ ${SYSTEM_LOOKS} system_looks)
string(STRIP "${system_looks}" system_looks)
file(READ ${SOURCE_DIR}/look.js look_script)
string(FIND "${look_script}" "/*SYSTEM_LOOKS*/null" at)
if(at EQUAL -1)
  message(FATAL_ERROR "look.js has no place for the system's looks")
endif()
string(REPLACE "/*SYSTEM_LOOKS*/null" "${system_looks}" look_script "${look_script}")
file(WRITE ${SITE_DIR}/look.js "${look_script}")
foreach(file look.js tessel.js mirror.js languages.js how_to_play.js watching.js statistics.js tessel.css)
  set(source ${SOURCE_DIR}/${file})
  if(file STREQUAL "look.js")
    set(source ${SITE_DIR}/look.js)
  endif()
  execute_process(COMMAND ${NODE} ${SOURCE_DIR}/minify.mjs ${source} ${SITE_DIR}/${file}
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
# The languages' catalogues, the core that reads them and languages.js are kept as a page fetches them, not
# all ahead: a page in English needs none of them.
list(FILTER files EXCLUDE REGEX "^(lang/|tessel-core-languages|languages\\.js)")
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
