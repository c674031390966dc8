# What makes the two binaries a product: the version header that their version
# resources read, Prunaxis.exe's manifest and application icon (both generated
# into the resource scripts' include path), and the compiled help file.
# Included after src/, whose targets it completes.

set(PRUNAXIS_PRODUCT_DIR "${CMAKE_BINARY_DIR}/generated/product")
configure_file("${CMAKE_SOURCE_DIR}/cmake/PrunaxisVersion.h.in"
               "${PRUNAXIS_PRODUCT_DIR}/PrunaxisVersion.h" @ONLY)
configure_file("${CMAKE_SOURCE_DIR}/src/app/main/Prunaxis.manifest.in"
               "${PRUNAXIS_PRODUCT_DIR}/Prunaxis.manifest" @ONLY)

set(_icon "${PRUNAXIS_PRODUCT_DIR}/Prunaxis.ico")
file(GLOB _icon_tool CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tools/icon/*.py"
     "${CMAKE_SOURCE_DIR}/tools/skin/*.py")
add_custom_command(
  OUTPUT "${_icon}"
  COMMAND Python3::Interpreter "${CMAKE_SOURCE_DIR}/tools/icon/make_icon.py" "${_icon}"
  DEPENDS ${_icon_tool}
  COMMENT "Drawing the application icon"
  VERBATIM)
set(_menu_icons "${PRUNAXIS_PRODUCT_DIR}/MenuIcons.png")
add_custom_command(
  OUTPUT "${_menu_icons}"
  COMMAND Python3::Interpreter "${CMAKE_SOURCE_DIR}/tools/icon/make_menu_icons.py" "${_menu_icons}"
  DEPENDS ${_icon_tool}
  COMMENT "Drawing the menu pictures"
  VERBATIM)
add_custom_target(prunaxis_icon DEPENDS "${_icon}" "${_menu_icons}")

target_include_directories(Prunaxis PRIVATE "${PRUNAXIS_PRODUCT_DIR}")
target_include_directories(Rostrel PRIVATE "${PRUNAXIS_PRODUCT_DIR}")
add_dependencies(Prunaxis prunaxis_icon)
# The resource object is rebuilt when what it embeds changes.
set_source_files_properties(
  "${CMAKE_SOURCE_DIR}/src/app/main/Prunaxis.rc" DIRECTORY "${CMAKE_SOURCE_DIR}/src"
  PROPERTIES OBJECT_DEPENDS
             "${_icon};${_menu_icons};${PRUNAXIS_PRODUCT_DIR}/Prunaxis.manifest;${PRUNAXIS_PRODUCT_DIR}/PrunaxisVersion.h;${CMAKE_SOURCE_DIR}/src/settings/ProductInfo.h")
set_source_files_properties(
  "${CMAKE_SOURCE_DIR}/src/rostrel/Rostrel.rc" DIRECTORY "${CMAKE_SOURCE_DIR}/src/rostrel"
  PROPERTIES OBJECT_DEPENDS
             "${PRUNAXIS_PRODUCT_DIR}/PrunaxisVersion.h;${CMAKE_SOURCE_DIR}/src/settings/ProductInfo.h")

# Langs\Help.Chm: the pages under help/, compiled by Free Pascal's chmcmd (Debian
# package fp-utils). chmcmd reads the project's files beside the project and
# writes the help file into its working folder; it is copied into the program
# folder only once it was written whole.
find_program(PRUNAXIS_CHMCMD chmcmd REQUIRED)
set(_help_dir "${CMAKE_SOURCE_DIR}/help")
set(_help_work "${CMAKE_BINARY_DIR}/help")
set(_help_file "${PRUNAXIS_BIN_DIR}/Langs/Help.Chm")
file(GLOB _help_sources CONFIGURE_DEPENDS "${_help_dir}/*")
file(MAKE_DIRECTORY "${_help_work}")
add_custom_command(
  OUTPUT "${_help_file}"
  COMMAND "${CMAKE_COMMAND}" -E rm -f "${_help_work}/Help.Chm"
  COMMAND "${PRUNAXIS_CHMCMD}" --no-html-scan "${_help_dir}/Prunaxis.hhp"
  COMMAND "${CMAKE_COMMAND}" -E copy "${_help_work}/Help.Chm" "${_help_file}"
  WORKING_DIRECTORY "${_help_work}"
  DEPENDS ${_help_sources}
  COMMENT "Compiling the help file"
  VERBATIM)
add_custom_target(prunaxis_help ALL DEPENDS "${_help_file}")

# The portable zip of the program folder: `cmake --build <build> --target portable`
# (scripts/package.sh) writes <build>/dist/Prunaxis-<version>-portable.zip.
set(PRUNAXIS_PORTABLE_ZIP "${CMAKE_BINARY_DIR}/dist/Prunaxis-${PROJECT_VERSION}-portable.zip")
add_custom_target(
  portable
  COMMAND "${CMAKE_COMMAND}" -DBIN_DIR=${PRUNAXIS_BIN_DIR} -DLANGS_SOURCE_DIR=${CMAKE_SOURCE_DIR}/Langs
          -DSTAGE_DIR=${CMAKE_BINARY_DIR}/portable -DFOLDER_NAME=Prunaxis-${PROJECT_VERSION}
          -DZIP_FILE=${PRUNAXIS_PORTABLE_ZIP} -P "${CMAKE_SOURCE_DIR}/cmake/portable-zip.cmake"
  COMMENT "Packing ${PRUNAXIS_PORTABLE_ZIP}"
  VERBATIM)
add_dependencies(portable Prunaxis Rostrel prunaxis_skin prunaxis_help)
