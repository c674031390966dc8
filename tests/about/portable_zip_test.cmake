# Checks the portable zip (cmake -P): packs a copy of the built program folder into
# which a run has left its own files, and compares the zip's listing with what ships.
# Variables: BIN_DIR (the built program folder), SOURCE_DIR, WORK_DIR.
set(_fake_bin "${WORK_DIR}/bin")
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${_fake_bin}/Langs" "${_fake_bin}/Skins" "${_fake_bin}/Back up/reg")
foreach(_file Prunaxis.exe Rostrel.dll Langs/Help.Chm Skins/img_Splash.png Skins/img_About.png
              Skins/Dark.ini Skins/Dark/img_Main.png)
  if(NOT EXISTS "${BIN_DIR}/${_file}")
    message(FATAL_ERROR "not built: ${BIN_DIR}/${_file}")
  endif()
  get_filename_component(_dir "${_fake_bin}/${_file}" DIRECTORY)
  file(COPY "${BIN_DIR}/${_file}" DESTINATION "${_dir}")
endforeach()
# What a run of the program leaves in its folder: none of it ships.
file(WRITE "${_fake_bin}/Config.ini" "[config]\r\nLanguageFile=Deutsch.ini\r\n")
file(WRITE "${_fake_bin}/Langs/English.ini" "[Language]\r\n")
file(WRITE "${_fake_bin}/Skins/Default.ini" "[MainForm]\r\n")
file(WRITE "${_fake_bin}/Back up/reg/Sample.reg" "REGEDIT4\r\n")

set(_zip "${WORK_DIR}/out/Prunaxis-9.8.7-portable.zip")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -DBIN_DIR=${_fake_bin} -DLANGS_SOURCE_DIR=${SOURCE_DIR}/Langs
          -DSTAGE_DIR=${WORK_DIR}/stage -DFOLDER_NAME=Prunaxis-9.8.7 -DZIP_FILE=${_zip}
          -P "${SOURCE_DIR}/cmake/portable-zip.cmake"
  RESULT_VARIABLE _result)
if(NOT _result EQUAL 0 OR NOT EXISTS "${_zip}")
  message(FATAL_ERROR "packing failed: ${_result}")
endif()

execute_process(COMMAND "${CMAKE_COMMAND}" -E tar tf "${_zip}" OUTPUT_VARIABLE _listing
                RESULT_VARIABLE _result)
if(NOT _result EQUAL 0)
  message(FATAL_ERROR "the zip cannot be read back")
endif()
string(REPLACE "\n" ";" _entries "${_listing}")
list(FILTER _entries EXCLUDE REGEX "/$|^$")  # folders
list(SORT _entries)
file(GLOB _translations RELATIVE "${SOURCE_DIR}/Langs" "${SOURCE_DIR}/Langs/*.ini")
set(_expected Prunaxis-9.8.7/Prunaxis.exe Prunaxis-9.8.7/Rostrel.dll Prunaxis-9.8.7/Langs/Help.Chm
              Prunaxis-9.8.7/Skins/img_About.png Prunaxis-9.8.7/Skins/img_Splash.png
              Prunaxis-9.8.7/Skins/Dark.ini Prunaxis-9.8.7/Skins/Dark/img_Main.png)
foreach(_name IN LISTS _translations)
  list(APPEND _expected "Prunaxis-9.8.7/Langs/${_name}")
endforeach()
list(SORT _expected)
if(NOT _entries STREQUAL _expected)
  message(FATAL_ERROR "zip holds:\n  ${_entries}\nexpected:\n  ${_expected}")
endif()

# The files are the built ones, byte for byte.
file(MAKE_DIRECTORY "${WORK_DIR}/unpacked")
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar xf "${_zip}"
                WORKING_DIRECTORY "${WORK_DIR}/unpacked")
foreach(_file Prunaxis.exe Rostrel.dll Langs/Help.Chm Skins/Dark.ini)
  file(SHA256 "${BIN_DIR}/${_file}" _built)
  file(SHA256 "${WORK_DIR}/unpacked/Prunaxis-9.8.7/${_file}" _packed)
  if(NOT _built STREQUAL _packed)
    message(FATAL_ERROR "${_file} differs from the built one")
  endif()
endforeach()
message(STATUS "portable zip holds exactly what ships")
