# zm_encoded_source(SOURCE CODE_PAGE OUT_VAR): the UTF-8 source SOURCE with its
# texts converted to CODE_PAGE (936 or 950) at build time, as escapes that any
# compiler reads. OUT_VAR receives the generated file to compile.
function(zm_encoded_source source codePage outVar)
  get_filename_component(name ${source} NAME_WE)
  set(input ${CMAKE_CURRENT_SOURCE_DIR}/${source})
  set(converted ${CMAKE_CURRENT_BINARY_DIR}/${name}.cp${codePage})
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${name}.cp${codePage}.cpp)
  add_custom_command(OUTPUT ${output}
    COMMAND iconv -f UTF-8 -t CP${codePage} ${input} -o ${converted}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${converted} -DOUTPUT=${output}
            -P ${PROJECT_SOURCE_DIR}/cmake/EscapeMultibyte.cmake
    DEPENDS ${input} ${PROJECT_SOURCE_DIR}/cmake/EscapeMultibyte.cmake
    COMMENT "Writing ${source} in code page ${codePage}"
    VERBATIM)
  set(${outVar} ${output} PARENT_SCOPE)
endfunction()
