# The programs we ship run elevated (the setup programs) or load DLLs by
# name (the assistant): each restricts the DLL search to the system folder
# as its first act (winfx/dll_search.h), and its image carries the load
# configuration whose dependent-load flags keep the imports of its system
# DLLs in the system folder. The common controls are bound at first use.
function(zm_shipped_program target)
  # Linked into the program itself, ahead of every library (see the file).
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/winfx/common_controls_win32.cpp)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND sh ${PROJECT_SOURCE_DIR}/cmake/point-load-config.sh ${CMAKE_NM} ${CMAKE_OBJDUMP} $<TARGET_FILE:${target}>
    VERBATIM)
endfunction()
