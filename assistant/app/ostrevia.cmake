# Ostrevia.exe: the main window over the assistant's libraries, one static
# executable like Install.exe, with the settings pages' templates in its
# resources.
set(ZM_ASSISTANT_RES ${PROJECT_SOURCE_DIR}/assistant/res)
add_executable(Ostrevia WIN32
  assistant_app_win32.cpp
  about_dlg_win32.h
  assistant_dlg_win32.h assistant_dlg_win32.cpp
  message_box_port_win32.h
  tracking_desktop_win32.h tracking_desktop_win32.cpp
  ${ZM_ASSISTANT_RES}/Ostrevia.rc)
set_source_files_properties(${ZM_ASSISTANT_RES}/Ostrevia.rc PROPERTIES OBJECT_DEPENDS
  "${ZM_ASSISTANT_RES}/Ostrevia.manifest;${ZM_ASSISTANT_RES}/ostrevia.ico;${ZM_ASSISTANT_RES}/detach.ico;${ZM_ASSISTANT_RES}/finder.cur;${ZM_ASSISTANT_RES}/link_attached.bmp;${ZM_ASSISTANT_RES}/link_detached.bmp;${ZM_ASSISTANT_RES}/settings_pages.rc;${ZM_ASSISTANT_RES}/settings_pages_resource.h;${ZM_ASSISTANT_RES}/assistant_resource.h")
target_include_directories(Ostrevia PRIVATE ${ZM_ASSISTANT_RES})
target_link_options(Ostrevia PRIVATE -municode)
target_link_libraries(Ostrevia PRIVATE
  zm_app_logic zm_ui_win32 zm_bom_sheet winfx)
zm_target_defaults(Ostrevia)
zm_shipped_program(Ostrevia)
