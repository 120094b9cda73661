# zm_minizip: zlib's zip reader. The host uses Debian's package; the Windows
# build compiles it with mingw from the contrib/minizip sources of Debian's
# zlib source package, which scripts/setup fetches into third_party_src/.

if(ZM_WIN32)
  file(GLOB ZM_MINIZIP_CANDIDATES ${PROJECT_SOURCE_DIR}/third_party_src/zlib-*/contrib/minizip)
  list(SORT ZM_MINIZIP_CANDIDATES)
  list(POP_BACK ZM_MINIZIP_CANDIDATES ZM_MINIZIP_DEFAULT)
  set(ZM_MINIZIP_SOURCE_DIR "${ZM_MINIZIP_DEFAULT}" CACHE PATH "contrib/minizip of zlib's sources")
  if(NOT EXISTS "${ZM_MINIZIP_SOURCE_DIR}/unzip.c")
    message(FATAL_ERROR "minizip sources not found; run scripts/setup")
  endif()
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
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(MINIZIP REQUIRED IMPORTED_TARGET minizip)
  find_package(ZLIB REQUIRED)
  add_library(zm_minizip INTERFACE)
  target_link_libraries(zm_minizip INTERFACE PkgConfig::MINIZIP ZLIB::ZLIB)
endif()
