# Cross-compiles for 64-bit Windows with MinGW-w64 (Debian: g++-mingw-w64-x86-64).
#
#   cmake --preset windows        or   cmake -B build/win -DCMAKE_TOOLCHAIN_FILE=<this file>
#
# When Wine is installed it becomes the emulator, so that the Windows tests can run here.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VINTREL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_CXX_COMPILER ${VINTREL_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${VINTREL_MINGW_PREFIX}-windres)

# Headers and libraries come from the MinGW tree only; programs from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${VINTREL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(VINTREL_WINE NAMES wine wine64)
  if(VINTREL_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${VINTREL_WINE}")
  endif()
endif()
