# cmake -DOUT=DIR -DWRITER=fuzz_seed_writer -P fuzz_seeds.cmake
#
# Seeds of the fuzz targets, one folder per target: archives made by
# Debian's zip, tar and gzip tools from a few small files, and the settings
# file and uninstall log that the programs' own writers produce.

file(REMOVE_RECURSE ${OUT})
set(tree ${OUT}/tree)
file(MAKE_DIRECTORY ${tree}/docs)
file(WRITE ${tree}/readme.txt "first entry\n")
file(WRITE ${tree}/docs/empty.txt "")
string(REPEAT "L20X3 0.889\r\nH300*200*6*8\r\n" 12 lines)
file(WRITE ${tree}/docs/ZMLib.txt "${lines}")

function(run)
  execute_process(COMMAND ${ARGV} WORKING_DIRECTORY ${tree} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGV}")
  endif()
endfunction()

foreach(target fuzz_zip_directory fuzz_archive_reader fuzz_gzip fuzz_tar)
  file(MAKE_DIRECTORY ${OUT}/${target})
endforeach()
set(entries readme.txt docs docs/empty.txt docs/ZMLib.txt)
run(zip -q ${OUT}/fuzz_zip_directory/deflated.zip ${entries})
run(zip -q -0 -X ${OUT}/fuzz_zip_directory/stored.zip ${entries})
run(tar --format=ustar --owner=0 --group=0 -cf ${OUT}/fuzz_tar/three.tar readme.txt docs/empty.txt docs/ZMLib.txt)
run(tar --format=gnu -cf ${OUT}/fuzz_tar/folder.tar docs)
run(tar --format=ustar --owner=0 --group=0 -czf ${OUT}/fuzz_gzip/three.tar.gz readme.txt docs/empty.txt docs/ZMLib.txt)
execute_process(COMMAND gzip -n -c docs/ZMLib.txt WORKING_DIRECTORY ${tree}
                OUTPUT_FILE ${OUT}/fuzz_gzip/single.gz RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "gzip failed")
endif()
file(GLOB archives ${OUT}/fuzz_zip_directory/* ${OUT}/fuzz_gzip/*)
file(COPY ${archives} DESTINATION ${OUT}/fuzz_archive_reader)
run(${WRITER} ${OUT})
file(REMOVE_RECURSE ${tree})
file(WRITE ${OUT}/stamp "")
