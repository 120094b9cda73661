# The wizard's text label: its paint, flash and font rules (both builds) and
# the Win32 control that carries them out (Windows build).
add_library(zm_text_label_rules STATIC
  ${CMAKE_CURRENT_LIST_DIR}/text_label_paint.h ${CMAKE_CURRENT_LIST_DIR}/text_label_paint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_label_flash.h ${CMAKE_CURRENT_LIST_DIR}/text_label_flash.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_label_font.h ${CMAKE_CURRENT_LIST_DIR}/text_label_font.cpp)
target_include_directories(zm_text_label_rules PUBLIC ${PROJECT_SOURCE_DIR})
zm_target_defaults(zm_text_label_rules)

if(ZM_WIN32)
  add_library(zm_text_label STATIC
    ${CMAKE_CURRENT_LIST_DIR}/text_label.h ${CMAKE_CURRENT_LIST_DIR}/text_label_win32.cpp)
  target_link_libraries(zm_text_label PUBLIC zm_text_label_rules winfx shell32 comctl32 gdi32 user32)
  zm_target_defaults(zm_text_label)
endif()
