# Cross-building for 64-bit Windows with Debian's mingw-w64 (g++ posix threads),
# the programs run under Wine:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One .exe with nothing beside it: libstdc++, libgcc and winpthread linked in.
# Programs beside Qt's DLLs (CHAINFORGE_SHARED_RUNTIME) use the runtime DLLs the
# Qt DLLs use instead, so that a process holds one C++ runtime, not two.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES CHAINFORGE_SHARED_RUNTIME)
if(NOT CHAINFORGE_SHARED_RUNTIME)
  set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
endif()

# Tests (and their discovery) run under Wine, with a prefix of the build's
# own, quietly, and with no display needed for console programs.
set(CMAKE_CROSSCOMPILING_EMULATOR env WINEDEBUG=-all WINEPREFIX=${CMAKE_BINARY_DIR}/wine wine)
