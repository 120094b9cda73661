# The main window's own controls: the prefix list's tip and paint rules
# (both builds) and the Win32 controls that carry them out, with the finder
# button and SelectEditText (Windows build).
add_library(zm_assistant_control_rules STATIC
  ${CMAKE_CURRENT_LIST_DIR}/prefix_tips.h ${CMAKE_CURRENT_LIST_DIR}/prefix_tips.cpp
  ${CMAKE_CURRENT_LIST_DIR}/list_item_paint.h ${CMAKE_CURRENT_LIST_DIR}/list_item_paint.cpp)
target_include_directories(zm_assistant_control_rules PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(zm_assistant_control_rules PUBLIC winfx_codepage)
zm_target_defaults(zm_assistant_control_rules)

if(ZM_WIN32)
  add_library(zm_assistant_controls STATIC
    ${CMAKE_CURRENT_LIST_DIR}/color_list_box.h ${CMAKE_CURRENT_LIST_DIR}/color_list_box_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/finder_button.h ${CMAKE_CURRENT_LIST_DIR}/finder_button_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/select_edit_text.h ${CMAKE_CURRENT_LIST_DIR}/select_edit_text_win32.cpp)
  target_link_libraries(zm_assistant_controls PUBLIC
    zm_assistant_control_rules zm_texts zm_excel_link winfx comctl32 gdi32 user32)
  zm_target_defaults(zm_assistant_controls)
endif()
