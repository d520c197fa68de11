# Cross-compiles Ravok for 64-bit Windows on Linux with MinGW-w64 GCC
# (Debian: g++-mingw-w64-x86-64-posix, whose "posix" thread model gives
# std::thread), and runs the tests under Wine (Debian: wine, wine64):
#
#   cmake -S . -B build-windows -G Ninja --toolchain cmake/mingw-w64.cmake
#   cmake --build build-windows
#   ctest --test-dir build-windows
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(RAVOK_MINGW_TRIPLET x86_64-w64-mingw32)
find_program(CMAKE_CXX_COMPILER NAMES ${RAVOK_MINGW_TRIPLET}-g++-posix ${RAVOK_MINGW_TRIPLET}-g++ REQUIRED)
# (GoogleTest's sources, built for the tests, are C++ in a C project.)
find_program(CMAKE_C_COMPILER NAMES ${RAVOK_MINGW_TRIPLET}-gcc-posix ${RAVOK_MINGW_TRIPLET}-gcc REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${RAVOK_MINGW_TRIPLET}-windres)

# Headers and libraries from the MinGW tree only, never the build machine's
# (libedit, GoogleTest); programs from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${RAVOK_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The tests run the Windows executables under Wine.
find_program(RAVOK_WINE NAMES wine wine64)
if(RAVOK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${RAVOK_WINE})
endif()
