# The wizard's decisions as plain functions that host tests call.
add_library(zm_wizard_logic STATIC
  ${CMAKE_CURRENT_LIST_DIR}/wizard_navigation.h ${CMAKE_CURRENT_LIST_DIR}/wizard_navigation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/install_folder.h ${CMAKE_CURRENT_LIST_DIR}/install_folder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/header_band.h ${CMAKE_CURRENT_LIST_DIR}/header_band.cpp)
target_link_libraries(zm_wizard_logic PUBLIC zm_setup_state)
zm_target_defaults(zm_wizard_logic)

# The wizard's windows (Windows build only).
if(ZM_WIN32)
  add_library(zm_wizard_ui STATIC
    ${CMAKE_CURRENT_LIST_DIR}/wizard_texts.h ${CMAKE_CURRENT_LIST_DIR}/wizard_texts_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wizard_page.h ${CMAKE_CURRENT_LIST_DIR}/wizard_page_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setup_wizard.h ${CMAKE_CURRENT_LIST_DIR}/setup_wizard_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/welcome_page.h ${CMAKE_CURRENT_LIST_DIR}/welcome_page_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setting_page.h ${CMAKE_CURRENT_LIST_DIR}/setting_page_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/progress_page.h ${CMAKE_CURRENT_LIST_DIR}/progress_page_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/finish_page.h ${CMAKE_CURRENT_LIST_DIR}/finish_page_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/language_dialog.h ${CMAKE_CURRENT_LIST_DIR}/language_dialog_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setup_services.h)
  target_link_libraries(zm_wizard_ui PUBLIC zm_wizard_logic zm_setup_engine zm_text_label winfx shell32)
  zm_target_defaults(zm_wizard_ui)
endif()
