# Every target of ours compiles with the same strict warnings.
function(zm_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  if(ZM_WIN32)
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                 _WIN32_WINNT=0x0601)
  endif()
endfunction()
