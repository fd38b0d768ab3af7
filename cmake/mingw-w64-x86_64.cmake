# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix). Used for
# Qt itself (scripts/build-qt-windows) and, chainloaded by that Qt's toolchain file, for Lanternix.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(LANTERNIX_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${LANTERNIX_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LANTERNIX_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${LANTERNIX_MINGW}-windres)

list(APPEND CMAKE_FIND_ROOT_PATH /usr/${LANTERNIX_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
