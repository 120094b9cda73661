# zm_minizip: zlib's zip reader. The host uses Debian's package; the Windows
# build compiles it with mingw from the contrib/minizip sources of Debian's
# zlib source package, which scripts/setup fetches into third_party_src/.
# The sanitizer and fuzz builds compile zlib and minizip from those sources
# too, so that their code is checked and gives the fuzzer its coverage.

set(ZM_ZLIB_FROM_SOURCE OFF)
if(ZM_WIN32 OR ZM_SANITIZE OR ZM_BUILD_FUZZ)
  file(GLOB ZM_ZLIB_CANDIDATES ${PROJECT_SOURCE_DIR}/third_party_src/zlib-*/contrib/minizip)
  list(SORT ZM_ZLIB_CANDIDATES)
  set(ZM_MINIZIP_DEFAULT "")
  if(ZM_ZLIB_CANDIDATES)
    list(POP_BACK ZM_ZLIB_CANDIDATES ZM_MINIZIP_DEFAULT)
  endif()
  set(ZM_MINIZIP_SOURCE_DIR "${ZM_MINIZIP_DEFAULT}" CACHE PATH "contrib/minizip of zlib's sources")
  if(NOT EXISTS "${ZM_MINIZIP_SOURCE_DIR}/unzip.c")
    message(FATAL_ERROR "minizip sources not found; run scripts/setup")
  endif()
  set(ZM_ZLIB_FROM_SOURCE ${ZM_SANITIZE})
  if(ZM_BUILD_FUZZ)
    set(ZM_ZLIB_FROM_SOURCE ON)
  endif()
endif()

if(ZM_WIN32)
  # The programs ship as single files: link zlib statically.
  set(ZLIB_USE_STATIC_LIBS ON)
  find_package(ZLIB REQUIRED)
  add_library(zm_minizip STATIC
    ${ZM_MINIZIP_SOURCE_DIR}/ioapi.c
    ${ZM_MINIZIP_SOURCE_DIR}/iowin32.c
    ${ZM_MINIZIP_SOURCE_DIR}/unzip.c
    ${ZM_MINIZIP_SOURCE_DIR}/zip.c)
  # Not our code: build it as its authors do, without our warning flags.
  target_compile_options(zm_minizip PRIVATE -w)
  target_include_directories(zm_minizip SYSTEM PUBLIC ${ZM_MINIZIP_SOURCE_DIR})
  target_link_libraries(zm_minizip PUBLIC ZLIB::ZLIB)
elseif(ZM_ZLIB_FROM_SOURCE)
  get_filename_component(ZM_ZLIB_SOURCE_DIR ${ZM_MINIZIP_SOURCE_DIR}/../.. ABSOLUTE)
  set(ZM_ZLIB_SOURCES)
  foreach(name adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate inftrees
               trees uncompr zutil)
    list(APPEND ZM_ZLIB_SOURCES ${ZM_ZLIB_SOURCE_DIR}/${name}.c)
  endforeach()
  add_library(zm_zlib STATIC ${ZM_ZLIB_SOURCES})
  target_compile_options(zm_zlib PRIVATE -w)
  target_compile_definitions(zm_zlib PUBLIC HAVE_UNISTD_H HAVE_STDARG_H _LARGEFILE64_SOURCE=1)
  target_include_directories(zm_zlib SYSTEM PUBLIC ${ZM_ZLIB_SOURCE_DIR})
  add_library(zm_minizip STATIC
    ${ZM_MINIZIP_SOURCE_DIR}/ioapi.c
    ${ZM_MINIZIP_SOURCE_DIR}/unzip.c
    ${ZM_MINIZIP_SOURCE_DIR}/zip.c)
  target_compile_options(zm_minizip PRIVATE -w)
  target_include_directories(zm_minizip SYSTEM PUBLIC ${ZM_MINIZIP_SOURCE_DIR})
  target_link_libraries(zm_minizip PUBLIC zm_zlib)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(MINIZIP REQUIRED IMPORTED_TARGET minizip)
  find_package(ZLIB REQUIRED)
  add_library(zm_minizip INTERFACE)
  target_link_libraries(zm_minizip INTERFACE PkgConfig::MINIZIP ZLIB::ZLIB)
endif()
