# cmake -DPAYLOAD=DIR -DMODULES=DIR -DLIBRARY=FILE -DSTANDINS=names [-DBUILT=files]
#       -P PackSetupArchives.cmake
#
# Packs the setup program's product archive (the material library and the
# product's files) and system archive (the library for the system folder).
# BUILT lists files this tree builds (programs, compiled help files), packed
# under their own names. For each of the STANDINS names, a file found in
# MODULES is packed as it is; otherwise a small stand-in file under the same
# name says what it stands for.

function(zm_stage folder name)
  if(MODULES AND EXISTS "${MODULES}/${name}")
    file(COPY "${MODULES}/${name}" DESTINATION "${folder}")
  else()
    file(WRITE "${folder}/${name}"
         "Stand-in for ${name}: this build carries no real module of that name.\r\n")
  endif()
endfunction()

set(product "${PAYLOAD}/product")
set(system "${PAYLOAD}/system")
file(REMOVE_RECURSE "${product}" "${system}")
file(MAKE_DIRECTORY "${product}" "${system}")
file(COPY "${LIBRARY}" DESTINATION "${product}")
foreach(name IN LISTS STANDINS)
  zm_stage("${product}" "${name}")
endforeach()
foreach(built IN LISTS BUILT)
  if(NOT EXISTS "${built}")
    message(FATAL_ERROR "built program ${built} is missing")
  endif()
  file(COPY "${built}" DESTINATION "${product}")
endforeach()
zm_stage("${system}" "ZMCht.dll")

foreach(archive product system)
  file(REMOVE "${PAYLOAD}/${archive}.zip")
  file(GLOB entries RELATIVE "${PAYLOAD}/${archive}" "${PAYLOAD}/${archive}/*")
  list(SORT entries)
  # The uninstaller first: a run that fails later leaves it beside what was
  # written, so that it can be removed.
  list(FIND entries uninstall.exe uninstaller)
  if(uninstaller GREATER -1)
    list(REMOVE_AT entries ${uninstaller})
    list(PREPEND entries uninstall.exe)
  endif()
  execute_process(COMMAND zip -q -X "${PAYLOAD}/${archive}.zip" ${entries}
                  WORKING_DIRECTORY "${PAYLOAD}/${archive}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "zip failed for ${archive}")
  endif()
endforeach()
