# Included by the top CMakeLists.txt. The translations: po/LANG.po for each language LINGUAS names, compiled by msgfmt at build time.
#   tessel_compile_catalogues(TARGET DIR [MODULE FILE TARGET]) writes DIR/LANG.cat, the language's messages in
#   the game's compact form (po/compact_catalogue.py), checked and compiled by msgfmt first; the desktop,
#   tessel-replay and the web page read the same form. With MODULE, only the messages the WebAssembly module
#   FILE (built by TARGET) can say: the web page's.
#   tessel_translate_file(TARGET INPUT OUTPUT MODE) merges every language into a desktop entry (MODE
#   desktop) or an AppStream metainfo file (MODE xml).
# The template, po/tessel.pot, is made from the sources POTFILES lists by the target tessel_pot
# (docs/translating.md).
find_program(TESSEL_MSGFMT msgfmt REQUIRED)
find_program(TESSEL_MSGGREP msggrep REQUIRED)
find_program(TESSEL_XGETTEXT xgettext)
# The game's own messages: all but the desktop entry's and the metainfo's, which msgfmt merges into them.
set(TESSEL_GAME_MESSAGES -N game/* -N puzzles/* -N hints/*)

set(TESSEL_PO_DIR ${CMAKE_CURRENT_LIST_DIR})
file(STRINGS ${TESSEL_PO_DIR}/LINGUAS linguas REGEX "^[^#]")
string(REPLACE " " ";" linguas "${linguas}")
list(FILTER linguas EXCLUDE REGEX "^$")
set(TESSEL_LANGUAGES ${linguas} CACHE INTERNAL "The languages po/LINGUAS names")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TESSEL_PO_DIR}/LINGUAS)

function(tessel_compile_catalogues target dir)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" MODULE)
  set(module)
  if(arg_MODULE)
    list(GET arg_MODULE 0 module)
  endif()
  set(outputs)
  foreach(language IN LISTS TESSEL_LANGUAGES)
    set(output ${dir}/${language}.cat)
    set(work ${CMAKE_CURRENT_BINARY_DIR}/po-${language})
    add_custom_command(
      OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
      COMMAND ${TESSEL_MSGGREP} ${TESSEL_GAME_MESSAGES} -o ${work}.po ${TESSEL_PO_DIR}/${language}.po
      COMMAND ${TESSEL_MSGFMT} --check -o ${work}.mo ${work}.po
      COMMAND Python3::Interpreter ${TESSEL_PO_DIR}/compact_catalogue.py ${work}.mo ${TESSEL_PO_DIR}/tessel.pot ${output} ${module}
      DEPENDS ${TESSEL_PO_DIR}/${language}.po ${TESSEL_PO_DIR}/tessel.pot ${TESSEL_PO_DIR}/compact_catalogue.py ${arg_MODULE}
      COMMENT "Compiling the ${language} catalogue"
      VERBATIM)
    list(APPEND outputs ${output})
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()

function(tessel_translate_file target input output mode)
  set(po_files)
  foreach(language IN LISTS TESSEL_LANGUAGES)
    list(APPEND po_files ${TESSEL_PO_DIR}/${language}.po)
  endforeach()
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${TESSEL_MSGFMT} --${mode} --template=${input} -d ${TESSEL_PO_DIR} -o ${output}
    DEPENDS ${input} ${po_files} ${TESSEL_PO_DIR}/LINGUAS
    COMMENT "Translating ${input}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${output})
endfunction()

# The template, from the sources as they are (run by hand: ninja -C build tessel_pot; the test
# po_catalogues says when it is out of date).
if(TESSEL_XGETTEXT)
  add_custom_target(tessel_pot
    COMMAND ${TESSEL_PO_DIR}/make-template.sh ${TESSEL_XGETTEXT} ${PROJECT_SOURCE_DIR} ${TESSEL_PO_DIR}/tessel.pot
    COMMENT "Making po/tessel.pot"
    VERBATIM)
endif()
