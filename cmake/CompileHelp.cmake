# cmake -DHELP_DIR=DIR -DPROJECT=FILE -DCODE_PAGE=N -DCHMCMD=PATH -DSTAGE=DIR -DOUTPUT=FILE
#       [-DJOINED_LANGUAGES=chs;cht;eng] [-DGENERATED_DIR=DIR] -P CompileHelp.cmake
#
# Compiles one help project (an .hhp file and its contents file, in UTF-8)
# into a compiled HTML help file. Every file that the project's [FILES]
# section names is taken from the build's pages of the project's language
# (GENERATED_DIR/<language folder>), else from the project's folder, else
# from HELP_DIR (the style sheet, the pictures); with JOINED_LANGUAGES, a page found in
# neither is made from the bodies of the pages of that name in each
# language's folder, one after the other. The project and contents files
# are converted to CODE_PAGE, the code page of the file's language, in which
# a help file holds its title and contents; the pages declare UTF-8
# themselves and are copied as they are.
#
# The compiler records the topic of each context id with the absolute path
# of the project's folder in front of it, a topic that no viewer finds. It
# is therefore run with the staged project folder as the root of its file
# system (a private mount namespace that lends it /usr and the libraries),
# so that the topic of a context id is recorded as "/main.htm", the
# topic's path inside the compiled file.

foreach(input HELP_DIR PROJECT CODE_PAGE CHMCMD STAGE OUTPUT)
  if(NOT ${input})
    message(FATAL_ERROR "CompileHelp.cmake needs -D${input}=")
  endif()
endforeach()

set(mountPoints usr lib lib64)

# The stage is the compiler's root folder: its mount points must be empty
# (no mount outlives the compiler's namespace) before the stage is removed.
function(zm_clear_stage)
  foreach(point IN LISTS mountPoints)
    if(EXISTS "${STAGE}/${point}")
      file(GLOB inside "${STAGE}/${point}/*")
      if(inside)
        message(FATAL_ERROR "${STAGE}/${point} is not empty: a mount of the help compiler is still in place")
      endif()
    endif()
  endforeach()
  file(REMOVE_RECURSE "${STAGE}")
  file(MAKE_DIRECTORY "${STAGE}")
endfunction()

function(zm_to_code_page source target)
  execute_process(COMMAND iconv -f UTF-8 -t CP${CODE_PAGE} "${source}" OUTPUT_FILE "${target}"
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${source} does not convert to code page ${CODE_PAGE}")
  endif()
endfunction()

# The text between the tags <NAME> and </NAME> of a page.
function(zm_page_element page element outVar)
  file(READ "${page}" text)
  string(FIND "${text}" "<${element}>" start)
  string(FIND "${text}" "</${element}>" end)
  if(start EQUAL -1 OR end EQUAL -1)
    message(FATAL_ERROR "${page} has no <${element}>")
  endif()
  string(LENGTH "<${element}>" tag)
  math(EXPR start "${start} + ${tag}")
  math(EXPR length "${end} - ${start}")
  string(SUBSTRING "${text}" ${start} ${length} inner)
  set(${outVar} "${inner}" PARENT_SCOPE)
endfunction()

# Where the file `name` of the language folder `language` comes from: the
# build's pages of that language, else `folder`.
function(zm_source_of language folder name outVar)
  if(GENERATED_DIR AND EXISTS "${GENERATED_DIR}/${language}/${name}")
    set(${outVar} "${GENERATED_DIR}/${language}/${name}" PARENT_SCOPE)
  else()
    set(${outVar} "${folder}/${name}" PARENT_SCOPE)
  endif()
endfunction()

# One page holding the page of that name of every language, each under an
# anchor named after its language, titled with all their titles.
function(zm_join_languages name target)
  set(titles "")
  set(bodies "")
  foreach(language IN LISTS JOINED_LANGUAGES)
    zm_source_of("${language}" "${HELP_DIR}/${language}" "${name}" source)
    if(NOT EXISTS "${source}")
      message(FATAL_ERROR "${source} is missing")
    endif()
    zm_page_element("${source}" title title)
    zm_page_element("${source}" body body)
    list(APPEND titles "${title}")
    string(APPEND bodies "<div id=\"${language}\">${body}</div>\n<hr>\n")
  endforeach()
  list(JOIN titles " · " title)
  file(WRITE "${target}" "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n<html>\n<head>\n"
             "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"
             "<title>${title}</title>\n<link rel=\"stylesheet\" href=\"help.css\">\n</head>\n"
             "<body>\n${bodies}</body>\n</html>\n")
endfunction()

zm_clear_stage()
get_filename_component(projectDir "${PROJECT}" DIRECTORY)
get_filename_component(projectName "${PROJECT}" NAME)
get_filename_component(projectLanguage "${projectDir}" NAME)

file(STRINGS "${PROJECT}" lines)
set(section "")
set(files "")
set(contents "")
set(compiled "")
foreach(line IN LISTS lines)
  if(line MATCHES "^\\[(.*)\\]$")
    set(section "${CMAKE_MATCH_1}")
  elseif(section STREQUAL "FILES" AND NOT line STREQUAL "")
    list(APPEND files "${line}")
  elseif(line MATCHES "^Contents file=(.*)$")
    set(contents "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^Compiled file=(.*)$")
    set(compiled "${CMAKE_MATCH_1}")
  endif()
endforeach()
if(NOT files OR NOT contents OR NOT compiled)
  message(FATAL_ERROR "${PROJECT} names no files, contents file or compiled file")
endif()

foreach(name IN LISTS files)
  get_filename_component(folder "${STAGE}/${name}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  zm_source_of("${projectLanguage}" "${projectDir}" "${name}" source)
  if(EXISTS "${source}")
    file(COPY_FILE "${source}" "${STAGE}/${name}")
  elseif(EXISTS "${HELP_DIR}/${name}")
    file(COPY_FILE "${HELP_DIR}/${name}" "${STAGE}/${name}")
  elseif(JOINED_LANGUAGES)
    zm_join_languages("${name}" "${STAGE}/${name}")
  else()
    message(FATAL_ERROR "${PROJECT} names ${name}, which is neither in ${projectDir} nor in ${HELP_DIR}")
  endif()
endforeach()
zm_to_code_page("${PROJECT}" "${STAGE}/${projectName}")
zm_source_of("${projectLanguage}" "${projectDir}" "${contents}" source)
zm_to_code_page("${source}" "${STAGE}/${contents}")

execute_process(COMMAND id -u OUTPUT_VARIABLE user OUTPUT_STRIP_TRAILING_WHITESPACE)
set(namespace unshare --mount)
if(NOT user STREQUAL "0")
  list(APPEND namespace --map-root-user)
endif()
set(script [=[
set -e
stage="$1"; compiler="$2"; project="$3"; shift 3
for point in "$@"; do
  if [ -d "/$point" ]; then mkdir -p "$stage/$point"; mount --bind "/$point" "$stage/$point"; fi
done
exec chroot "$stage" "$compiler" "/$project"
]=])
execute_process(COMMAND ${namespace} sh -c "${script}" sh "${STAGE}" "${CHMCMD}" "${projectName}" ${mountPoints}
                OUTPUT_VARIABLE log ERROR_VARIABLE log RESULT_VARIABLE failed)
if(failed OR log MATCHES "(Error|Warning):" OR NOT EXISTS "${STAGE}/${compiled}")
  message(FATAL_ERROR "chmcmd could not compile ${PROJECT}:\n${log}")
endif()
file(COPY_FILE "${STAGE}/${compiled}" "${OUTPUT}")
