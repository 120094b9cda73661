# Install.exe and what it carries: the agreements in the code page of their
# language, and the product and system archives made by the build.
#
# The CAD add-in modules, the add-in's configuration program and the system
# library are third-party modules that the setup only carries: the build packs
# small stand-ins under their names unless ZM_THIRD_PARTY_MODULES names a
# folder that holds the real files.
set(ZM_THIRD_PARTY_MODULES "" CACHE PATH "Folder with the real CAD add-in modules, ZMConfig.exe and ZMCht.dll")

set(ZM_PAYLOAD ${CMAKE_CURRENT_BINARY_DIR}/payload)

function(zm_agreement language codePage outVar)
  set(source ${PROJECT_SOURCE_DIR}/data/agreement/agreement_${language}.txt)
  set(output ${ZM_PAYLOAD}/agreement_${language}.txt)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ZM_PAYLOAD}
    COMMAND sh -c "iconv -f UTF-8 -t CP${codePage} '${source}' | sed 's/$/\\r/' > '${output}'"
    DEPENDS ${source}
    VERBATIM)
  set(${outVar} ${output} PARENT_SCOPE)
endfunction()

zm_agreement(chs 936 ZM_AGREEMENT_CHS)
zm_agreement(eng 437 ZM_AGREEMENT_ENG)
zm_agreement(cht 950 ZM_AGREEMENT_CHT)

set(ZM_PRODUCT_ARCHIVE ${ZM_PAYLOAD}/product.zip)
set(ZM_SYSTEM_ARCHIVE ${ZM_PAYLOAD}/system.zip)
set(ZM_PRODUCT_STANDINS ZMConfig.exe Zelmorant14.arx Zelmorant2000.arx Zelmorant2004.arx Zelmorant2007.arx)
# Programs of this tree that the product archive carries, packed as built,
# and the compiled help files (help/).
set(ZM_PRODUCT_BUILT_TARGETS Ostrevia uninstall zm_help_files)
set(ZM_PRODUCT_BUILT_FILES ${ZM_HELP_FILES})
foreach(target IN ITEMS Ostrevia uninstall)
  list(APPEND ZM_PRODUCT_BUILT_FILES $<TARGET_FILE:${target}>)
endforeach()
add_custom_command(OUTPUT ${ZM_PRODUCT_ARCHIVE} ${ZM_SYSTEM_ARCHIVE}
  COMMAND ${CMAKE_COMMAND} -DPAYLOAD=${ZM_PAYLOAD} -DMODULES=${ZM_THIRD_PARTY_MODULES}
          -DLIBRARY=${PROJECT_SOURCE_DIR}/data/ZMLib.txt "-DSTANDINS=${ZM_PRODUCT_STANDINS}"
          "-DBUILT=${ZM_PRODUCT_BUILT_FILES}"
          -P ${PROJECT_SOURCE_DIR}/cmake/PackSetupArchives.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/data/ZMLib.txt ${PROJECT_SOURCE_DIR}/cmake/PackSetupArchives.cmake
          ${ZM_PRODUCT_BUILT_TARGETS} ${ZM_PRODUCT_BUILT_FILES}
  VERBATIM)

set(ZM_INSTALL_RC ${CMAKE_CURRENT_BINARY_DIR}/Install.rc)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/res/Install.rc ${ZM_INSTALL_RC} @ONLY)
add_executable(Install WIN32 wizard/setup_app_win32.cpp ${ZM_INSTALL_RC})
set_source_files_properties(${ZM_INSTALL_RC} PROPERTIES OBJECT_DEPENDS
  "${ZM_AGREEMENT_CHS};${ZM_AGREEMENT_ENG};${ZM_AGREEMENT_CHT};${ZM_PRODUCT_ARCHIVE};${ZM_SYSTEM_ARCHIVE};${CMAKE_CURRENT_SOURCE_DIR}/res/Install.manifest")
target_include_directories(Install PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/res)
target_link_options(Install PRIVATE -municode)
target_link_libraries(Install PRIVATE zm_wizard_win32)
zm_target_defaults(Install)
zm_shipped_program(Install)

# The release: the one file a user downloads, with its SHA-256 sum, in
# release/ of the build folder.
set(ZM_RELEASE_DIR ${CMAKE_BINARY_DIR}/release)
add_custom_command(TARGET Install POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ZM_RELEASE_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Install> ${ZM_RELEASE_DIR}/Install.exe
  COMMAND sh -c "cd '${ZM_RELEASE_DIR}' && sha256sum Install.exe > Install.exe.sha256"
  VERBATIM)
