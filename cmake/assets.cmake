# What ships beside the exe besides code: the pictures of both skins, drawn at
# build time by tools/skin from the built-in skin table (the default skin's in
# Skins\, the dark skin's in Skins\Dark\ with Skins\Dark.ini naming them), and the
# language files we translate ourselves (English.ini and the default skin's
# Default.ini are written by the program when they are missing).
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(_skin_table "${CMAKE_SOURCE_DIR}/src/ui/SkinEntries.h")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${_skin_table}")
file(STRINGS "${_skin_table}" _skin_lines REGEX "\\.png\"")
set(_skin_pictures Title.png)  # the title picture is built in, not named by a key
foreach(_line IN LISTS _skin_lines)
  string(REGEX MATCH "\"([^\"]+\\.png)\"" _match "${_line}")
  list(APPEND _skin_pictures "${CMAKE_MATCH_1}")
endforeach()
list(REMOVE_DUPLICATES _skin_pictures)
list(TRANSFORM _skin_pictures PREPEND "${PRUNAXIS_BIN_DIR}/Skins/" OUTPUT_VARIABLE _default_outputs)
list(TRANSFORM _skin_pictures PREPEND "${PRUNAXIS_BIN_DIR}/Skins/Dark/" OUTPUT_VARIABLE _dark_outputs)
set(_skin_outputs ${_default_outputs} ${_dark_outputs} "${PRUNAXIS_BIN_DIR}/Skins/Dark.ini")

file(GLOB _skin_tool CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tools/skin/*.py")
add_custom_command(
  OUTPUT ${_skin_outputs}
  COMMAND Python3::Interpreter "${CMAKE_SOURCE_DIR}/tools/skin/make_skins.py"
          "${_skin_table}" "${PRUNAXIS_BIN_DIR}/Skins"
  DEPENDS ${_skin_tool} "${_skin_table}"
  COMMENT "Drawing the pictures of the default and the dark skin"
  VERBATIM)
add_custom_target(prunaxis_skin ALL DEPENDS ${_skin_outputs})

file(GLOB _languages CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/Langs/*.ini")
foreach(_language IN LISTS _languages)
  get_filename_component(_name "${_language}" NAME)
  configure_file("${_language}" "${PRUNAXIS_BIN_DIR}/Langs/${_name}" COPYONLY)
endforeach()
