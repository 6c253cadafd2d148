# Included by the top CMakeLists.txt. The translations: po/LANG.po for each language LINGUAS names, compiled by msgfmt at build time.
#   tessel_compile_catalogues(TARGET DIR LAYOUT) writes DIR/LANG/LC_MESSAGES/tessel.mo (LAYOUT "system", as
#   gettext installs them, for the desktop and tessel-replay) or DIR/LANG.mo (LAYOUT "flat", the web site's
#   downloads), and a target that makes them.
#   tessel_translate_file(TARGET INPUT OUTPUT MODE) merges every language into a desktop entry (MODE
#   desktop) or an AppStream metainfo file (MODE xml).
# The template, po/tessel.pot, is made from the sources POTFILES lists by the target tessel_pot
# (docs/translating.md).
find_program(TESSEL_MSGFMT msgfmt REQUIRED)
find_program(TESSEL_XGETTEXT xgettext)

set(TESSEL_PO_DIR ${CMAKE_CURRENT_LIST_DIR})
file(STRINGS ${TESSEL_PO_DIR}/LINGUAS linguas REGEX "^[^#]")
string(REPLACE " " ";" linguas "${linguas}")
list(FILTER linguas EXCLUDE REGEX "^$")
set(TESSEL_LANGUAGES ${linguas} CACHE INTERNAL "The languages po/LINGUAS names")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TESSEL_PO_DIR}/LINGUAS)

function(tessel_compile_catalogues target dir layout)
  set(outputs)
  foreach(language IN LISTS TESSEL_LANGUAGES)
    if(layout STREQUAL "system")
      set(output ${dir}/${language}/LC_MESSAGES/tessel.mo)
    else()
      set(output ${dir}/${language}.mo)
    endif()
    get_filename_component(output_dir ${output} DIRECTORY)
    add_custom_command(
      OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${output_dir}
      COMMAND ${TESSEL_MSGFMT} --check --no-hash -o ${output} ${TESSEL_PO_DIR}/${language}.po
      DEPENDS ${TESSEL_PO_DIR}/${language}.po
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
