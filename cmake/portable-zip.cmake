# Packs the program folder as it ships into one zip (cmake -P, run by the
# `portable` target). Only what ships goes in: the exe, the component, the
# translations and the help file in Langs\, the default skin's pictures in Skins\,
# and the dark skin: Skins\Dark.ini and its pictures in Skins\Dark\.
# Whatever a run left in the build's program folder (Config.ini, backups, the
# language and skin files the program writes itself when they are missing) stays
# out, so the zip is the same whatever was run from that folder before.
#
# Variables: BIN_DIR, LANGS_SOURCE_DIR, STAGE_DIR, FOLDER_NAME, ZIP_FILE.
foreach(_var BIN_DIR LANGS_SOURCE_DIR STAGE_DIR FOLDER_NAME ZIP_FILE)
  if(NOT DEFINED ${_var})
    message(FATAL_ERROR "portable-zip.cmake: ${_var} is not set")
  endif()
endforeach()

set(_root "${STAGE_DIR}/${FOLDER_NAME}")
file(REMOVE_RECURSE "${STAGE_DIR}")
file(MAKE_DIRECTORY "${_root}/Langs" "${_root}/Skins/Dark")

function(ship source destination)
  if(NOT EXISTS "${source}")
    message(FATAL_ERROR "portable zip: ${source} is missing; build the program first")
  endif()
  file(COPY "${source}" DESTINATION "${destination}")
endfunction()

ship("${BIN_DIR}/Prunaxis.exe" "${_root}")
ship("${BIN_DIR}/Rostrel.dll" "${_root}")
ship("${BIN_DIR}/Langs/Help.Chm" "${_root}/Langs")
file(GLOB _translations "${LANGS_SOURCE_DIR}/*.ini")
foreach(_file IN LISTS _translations)
  ship("${_file}" "${_root}/Langs")
endforeach()
file(GLOB _pictures "${BIN_DIR}/Skins/*.png")
if(NOT _pictures)
  message(FATAL_ERROR "portable zip: no skin pictures in ${BIN_DIR}/Skins")
endif()
foreach(_file IN LISTS _pictures)
  ship("${_file}" "${_root}/Skins")
endforeach()
ship("${BIN_DIR}/Skins/Dark.ini" "${_root}/Skins")
file(GLOB _dark_pictures "${BIN_DIR}/Skins/Dark/*.png")
if(NOT _dark_pictures)
  message(FATAL_ERROR "portable zip: no dark skin pictures in ${BIN_DIR}/Skins/Dark")
endif()
foreach(_file IN LISTS _dark_pictures)
  ship("${_file}" "${_root}/Skins/Dark")
endforeach()

get_filename_component(_zip_dir "${ZIP_FILE}" DIRECTORY)
file(MAKE_DIRECTORY "${_zip_dir}")
file(REMOVE "${ZIP_FILE}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E tar cf "${ZIP_FILE}" --format=zip "${FOLDER_NAME}"
  WORKING_DIRECTORY "${STAGE_DIR}"
  RESULT_VARIABLE _result)
if(NOT _result EQUAL 0)
  file(REMOVE "${ZIP_FILE}")
  message(FATAL_ERROR "portable zip: packing failed (${_result})")
endif()
message(STATUS "Portable zip: ${ZIP_FILE}")
