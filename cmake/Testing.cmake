# GoogleTest for both builds and one helper that registers a unit-test program.
#
# The host build runs every case as its own CTest test. The Windows build runs
# each test program once under Wine with all its cases: every Wine start costs
# seconds, so per-case discovery would start Wine hundreds of times.

if(ZM_WIN32)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(ZM_GTEST_LIBS GTest::gmock GTest::gtest GTest::gtest_main)
  if(NOT TARGET GTest::gtest)
    set(ZM_GTEST_LIBS gmock gtest gtest_main)
  endif()
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
  set(ZM_GTEST_LIBS GTest::gmock GTest::gtest GTest::gtest_main)
endif()

# zm_add_unit_test(NAME SOURCES ... LIBS ...)
function(zm_add_unit_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  zm_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${ZM_GTEST_LIBS})
  if(ZM_WIN32)
    # The program sees the build folder as drive B:, not by its host path:
    # the report goes to a name relative to the working folder.
    add_test(NAME ${name} COMMAND ${name} --gtest_output=xml:${name}.xml
             WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    set_tests_properties(${name} PROPERTIES TIMEOUT 600)
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30)
  endif()
endfunction()
