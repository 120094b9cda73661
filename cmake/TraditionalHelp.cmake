# cmake -DSOURCE=DIR -DTARGET=DIR -DOPENCC=PATH -P TraditionalHelp.cmake
#
# Makes the traditional Chinese help pages and contents file from the
# simplified Chinese ones in SOURCE, into TARGET: converted phrase by phrase
# as users in Taiwan and Hong Kong write (OpenCC's s2twp: 程式, 視窗,
# 設定), except the names of the window's controls in <b>, which are
# converted character by character as the program's traditional texts show
# them. Pictures of the simplified pages (*_chs.png) become their
# traditional ones, ZMCHS the help file ZMCHT.

foreach(input SOURCE TARGET OPENCC)
  if(NOT ${input})
    message(FATAL_ERROR "TraditionalHelp.cmake needs -D${input}=")
  endif()
endforeach()

# A list must not cut texts at their own semicolons (&gt; and the like).
set(semicolon "@ZM_SEMICOLON@")

# `text` converted with the OpenCC configuration `config`.
function(zm_opencc config text outVar)
  set(scratch "${TARGET}/opencc.txt")
  file(WRITE "${scratch}" "${text}")
  execute_process(COMMAND "${OPENCC}" -c ${config} -i "${scratch}" OUTPUT_VARIABLE converted
                  RESULT_VARIABLE failed)
  file(REMOVE "${scratch}")
  if(failed)
    message(FATAL_ERROR "opencc -c ${config} failed")
  endif()
  set(${outVar} "${converted}" PARENT_SCOPE)
endfunction()

# The <b> spans of `text`, one a line.
function(zm_bold_spans text outVar)
  string(REPLACE ";" "${semicolon}" text "${text}")
  string(REGEX MATCHALL "<b>[^<]*</b>" spans "${text}")
  list(REMOVE_DUPLICATES spans)
  list(JOIN spans "\n" lines)
  string(REPLACE "${semicolon}" ";" lines "${lines}")
  set(${outVar} "${lines}" PARENT_SCOPE)
endfunction()

file(MAKE_DIRECTORY "${TARGET}")
file(GLOB pages RELATIVE "${SOURCE}" "${SOURCE}/*.htm" "${SOURCE}/*.hhc")
foreach(page IN LISTS pages)
  file(READ "${SOURCE}/${page}" source)
  zm_opencc(s2twp "${source}" text)
  zm_bold_spans("${source}" spans)
  if(spans)
    zm_opencc(s2twp "${spans}" phrases)
    zm_opencc(s2t "${spans}" characters)
    string(REPLACE ";" "${semicolon}" phrases "${phrases}")
    string(REPLACE ";" "${semicolon}" characters "${characters}")
    string(REPLACE "\n" ";" phrases "${phrases}")
    string(REPLACE "\n" ";" characters "${characters}")
    list(LENGTH phrases count)
    math(EXPR last "${count} - 1")
    foreach(i RANGE ${last})
      list(GET phrases ${i} phrase)
      list(GET characters ${i} character)
      string(REPLACE "${semicolon}" ";" phrase "${phrase}")
      string(REPLACE "${semicolon}" ";" character "${character}")
      if(phrase)
        string(REPLACE "${phrase}" "${character}" text "${text}")
      endif()
    endforeach()
  endif()
  string(REPLACE "_chs." "_cht." text "${text}")
  string(REPLACE "ZMCHS" "ZMCHT" text "${text}")
  string(REPLACE "ZMCHS" "ZMCHT" name "${page}")
  file(WRITE "${TARGET}/${name}" "${text}")
endforeach()
