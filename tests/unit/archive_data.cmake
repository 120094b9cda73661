# cmake -DSOURCE_DIR=DIR -DOUT=DIR -P archive_data.cmake
#
# Archives made by Debian's zip, tar and gzip tools for the archive tests:
# every file is dated 2021-03-04 05:06:07 UTC, and zip runs in UTC, so that
# the tests know the DOS time (rounded up to 05:06:08) and the "UT" time.

set(stamp 1614834367)
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT}/tree/docs)
file(WRITE ${OUT}/tree/readme.txt "first entry\n")
file(WRITE ${OUT}/tree/docs/empty.txt "")
file(COPY ${SOURCE_DIR}/data/ZMLib.txt DESTINATION ${OUT}/tree/docs)

function(run)
  execute_process(COMMAND ${ARGV} WORKING_DIRECTORY ${OUT}/tree RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGV}")
  endif()
endfunction()

run(touch -d @${stamp} readme.txt docs/empty.txt docs/ZMLib.txt docs .)
set(entries readme.txt docs docs/empty.txt docs/ZMLib.txt)
run(${CMAKE_COMMAND} -E env TZ=UTC zip -q ../with_ut.zip ${entries})
run(${CMAKE_COMMAND} -E env TZ=UTC zip -q -X ../without_ut.zip ${entries})
run(tar --format=ustar --owner=0 --group=0 -czf ../three.tar.gz readme.txt docs/empty.txt docs/ZMLib.txt)
execute_process(COMMAND gzip -n -c readme.txt WORKING_DIRECTORY ${OUT}/tree OUTPUT_FILE ${OUT}/single.gz
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "gzip failed")
endif()
