# Cross build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64); the test
# programs run under Wine (wine64), which CTest starts through the cross-compiling emulator.
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64.cmake -DTUNESHEET_CORE_ONLY=ON
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(tunesheet_mingw x86_64-w64-mingw32)
# The posix thread model gives the standard library its std::thread and std::mutex.
find_program(CMAKE_C_COMPILER NAMES ${tunesheet_mingw}-gcc-posix ${tunesheet_mingw}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${tunesheet_mingw}-g++-posix ${tunesheet_mingw}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${tunesheet_mingw}-windres windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${tunesheet_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Executables carry their runtime (libstdc++, libgcc, winpthread) inside, so that they start
# from any folder, under Wine too, without MinGW's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

find_program(TUNESHEET_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(TUNESHEET_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TUNESHEET_WINE})
endif()
