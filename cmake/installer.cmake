# The setup program: `cmake --build <build> --target installer` (scripts/installer.sh)
# writes <build>/dist/Prunaxis-<version>-setup.exe, compiled by NSIS's makensis
# (Debian package nsis) from installer/Prunaxis.nsi. It installs the files of the
# portable zip, packed by the same script (cmake/portable-zip.cmake), and writes
# the language and skin templates with PrunaxisDefaults.exe, which it carries.
# Included after cmake/product.cmake, whose icon, help file and zip it uses.
find_program(PRUNAXIS_MAKENSIS makensis REQUIRED)

# Runs on the target machine, from the setup program's temporary folder.
add_executable(PrunaxisDefaults WIN32 "${CMAKE_SOURCE_DIR}/installer/WriteDefaults.cpp")
target_compile_options(PrunaxisDefaults PRIVATE ${PRUNAXIS_WARNINGS})
target_link_libraries(PrunaxisDefaults PRIVATE prunaxis_ui)
set_target_properties(PrunaxisDefaults PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                  "${CMAKE_BINARY_DIR}/installer")

# The maker's details and the component's names, each from its one place.
function(prunaxis_header_string out file pattern)
  file(STRINGS "${file}" _lines REGEX "${pattern}")
  if(NOT _lines MATCHES "${pattern}")
    message(FATAL_ERROR "installer: no match for ${pattern} in ${file}")
  endif()
  set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()
set(_product_info "${CMAKE_SOURCE_DIR}/src/settings/ProductInfo.h")
set(_component_ids "${CMAKE_SOURCE_DIR}/src/rostrel/core/Ids.h")
prunaxis_header_string(_product "${_product_info}" "PRUNAXIS_PRODUCT_NAME \"([^\"]+)\"")
prunaxis_header_string(_publisher "${_product_info}" "PRUNAXIS_MAKER_NAME \"([^\"]+)\"")
prunaxis_header_string(_web "${_product_info}" "PRUNAXIS_WEB_ADDRESS \"([^\"]+)\"")
prunaxis_header_string(_copyright "${_product_info}" "PRUNAXIS_COPYRIGHT_LINE \"([^\"]+)\"")
prunaxis_header_string(_clsid "${_component_ids}" "kClsidText\\[\\] = \"([^\"]+)\"")
prunaxis_header_string(_progid "${_component_ids}" "kProgId\\[\\] = \"([^\"]+)\"")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${_product_info}"
                                                                "${_component_ids}")

set(PRUNAXIS_SETUP_EXE "${CMAKE_BINARY_DIR}/dist/Prunaxis-${PROJECT_VERSION}-setup.exe")
# The program folder as the setup program installs it, for the installer's tests.
set(PRUNAXIS_SETUP_STAGE "${CMAKE_BINARY_DIR}/installer/stage/Prunaxis")
file(GLOB _setup_languages CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/Langs/*.ini")
add_custom_command(
  OUTPUT "${PRUNAXIS_SETUP_EXE}"
  COMMAND
    "${CMAKE_COMMAND}" -DMAKENSIS=${PRUNAXIS_MAKENSIS}
    -DSCRIPT=${CMAKE_SOURCE_DIR}/installer/Prunaxis.nsi -DBIN_DIR=${PRUNAXIS_BIN_DIR}
    -DLANGS_SOURCE_DIR=${CMAKE_SOURCE_DIR}/Langs -DWORK_DIR=${CMAKE_BINARY_DIR}/installer
    -DOUT_FILE=${PRUNAXIS_SETUP_EXE} -DDEFAULTS_EXE=$<TARGET_FILE:PrunaxisDefaults>
    -DICON=${PRUNAXIS_PRODUCT_DIR}/Prunaxis.ico -DVERSION=${PROJECT_VERSION}
    -DPRODUCT_NAME=${_product} -DPUBLISHER=${_publisher} -DWEB_ADDRESS=${_web}
    -DCOPYRIGHT=${_copyright} -DCOMPONENT_CLSID=${_clsid} -DCOMPONENT_PROGID=${_progid}
    -P "${CMAKE_SOURCE_DIR}/cmake/setup-exe.cmake"
  # The program folder's files, so that a new build of any of them makes a new setup
  # program (the skin pictures are the outputs of cmake/assets.cmake's command).
  DEPENDS Prunaxis Rostrel PrunaxisDefaults "${PRUNAXIS_BIN_DIR}/Langs/Help.Chm" ${_skin_outputs}
          ${_setup_languages} "${PRUNAXIS_PRODUCT_DIR}/Prunaxis.ico"
          "${CMAKE_SOURCE_DIR}/installer/Prunaxis.nsi" "${CMAKE_SOURCE_DIR}/installer/Installed.ini"
          "${CMAKE_SOURCE_DIR}/cmake/setup-exe.cmake" "${CMAKE_SOURCE_DIR}/cmake/portable-zip.cmake"
  COMMENT "Compiling the setup program ${PRUNAXIS_SETUP_EXE}"
  VERBATIM)
add_custom_target(installer DEPENDS "${PRUNAXIS_SETUP_EXE}")
