# The settings sheet: its pages' rules, the style editor, the OK and Cancel
# placement and the template Edit command (both builds), and the sheet with
# its two pages over winfx (Windows build).
add_library(zm_settings_sheet_rules STATIC
  ${CMAKE_CURRENT_LIST_DIR}/general_page_rules.h ${CMAKE_CURRENT_LIST_DIR}/general_page_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bom_style_page_rules.h ${CMAKE_CURRENT_LIST_DIR}/bom_style_page_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bom_style_editor.h ${CMAKE_CURRENT_LIST_DIR}/bom_style_editor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sheet_button_layout.h ${CMAKE_CURRENT_LIST_DIR}/sheet_button_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/style_template.h ${CMAKE_CURRENT_LIST_DIR}/style_template.cpp)
target_include_directories(zm_settings_sheet_rules PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(zm_settings_sheet_rules PUBLIC zm_config zm_texts zm_excel_link)
zm_target_defaults(zm_settings_sheet_rules)

if(ZM_WIN32)
  add_library(zm_settings_sheet STATIC
    ${CMAKE_CURRENT_LIST_DIR}/settings_sheet_win32.h ${CMAKE_CURRENT_LIST_DIR}/settings_sheet_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/settings_sheet_texts_win32.h ${CMAKE_CURRENT_LIST_DIR}/settings_sheet_texts_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/kv_property_sheet.h ${CMAKE_CURRENT_LIST_DIR}/kv_property_sheet_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/prop_page_general.h ${CMAKE_CURRENT_LIST_DIR}/prop_page_general_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/prop_page_bom_style.h ${CMAKE_CURRENT_LIST_DIR}/prop_page_bom_style_win32.cpp
    ${PROJECT_SOURCE_DIR}/assistant/res/settings_pages_resource.h)
  target_link_libraries(zm_settings_sheet PUBLIC
    zm_settings_sheet_rules zm_assistant_controls zm_help winfx shell32 user32)
  zm_target_defaults(zm_settings_sheet)
endif()
