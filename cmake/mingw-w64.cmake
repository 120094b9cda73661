# Cross-compiles the Windows build with mingw-w64 (posix thread model) and runs
# its test programs under Wine through scripts/wine-run.
#
# The shipped programs are 32-bit: the CAD releases the add-in serves are
# 32-bit programs, which register in the 32-bit registry view and load their
# libraries from the 32-bit system folder; a 32-bit installer sees both as
# they do, through WoW64 on 64-bit Windows. ZM_WINDOWS_ARCH=x86_64 builds the
# same tree as 64-bit programs (tools and tests only; nothing to ship).
set(ZM_WINDOWS_ARCH i686 CACHE STRING "Windows target: i686 (shipped) or x86_64")
set_property(CACHE ZM_WINDOWS_ARCH PROPERTY STRINGS i686 x86_64)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${ZM_WINDOWS_ARCH})

set(ZM_MINGW_TRIPLET ${ZM_WINDOWS_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${ZM_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZM_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ZM_MINGW_TRIPLET}-windres)

# zlib's static library for the target comes from libz-mingw-w64-dev, which
# holds both architectures.
set(CMAKE_FIND_ROOT_PATH /usr/${ZM_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained executable: no runtime DLLs beside the programs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
