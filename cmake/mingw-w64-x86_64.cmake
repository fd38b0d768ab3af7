# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#       -DLANTERNIX_CORE_ONLY=ON
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(LANTERNIX_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${LANTERNIX_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LANTERNIX_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${LANTERNIX_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${LANTERNIX_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The programs carry their C and C++ runtimes, so a single .exe runs on any Windows.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Only the parts of windows.h that the code uses: it compiles much faster.
set(CMAKE_CXX_FLAGS_INIT "-DWIN32_LEAN_AND_MEAN -DNOMINMAX")
