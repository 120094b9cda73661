# The sanitizer builds (clang): ZM_SANITIZE checks the unit suite with
# AddressSanitizer and UndefinedBehaviorSanitizer; ZM_BUILD_FUZZ adds the
# fuzzer's coverage to every target, so that the fuzz targets are guided by
# the code they test and not by their own few lines. Any finding ends the
# program: nothing is reported and then carried on from.

option(ZM_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer (clang)" OFF)

if(ZM_SANITIZE OR ZM_BUILD_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "the sanitizer and fuzz builds need clang (-DCMAKE_CXX_COMPILER=clang++)")
  endif()
  set(ZM_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${ZM_SANITIZER_FLAGS})
  add_link_options(${ZM_SANITIZER_FLAGS})
endif()
if(ZM_BUILD_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
