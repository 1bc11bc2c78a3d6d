# SPDX-License-Identifier: MIT
#
# Builds for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix)
# and runs the programs under wine (Debian's wine64, /usr/lib/wine/wine64),
# or under the program HALFTABLES_EMULATOR names; an empty value means none.
# HALFTABLES_TARGET may name another mingw-w64 triple.
#
#   cmake -B build/windows --toolchain cmake/toolchains/windows-mingw-w64.cmake

if(NOT HALFTABLES_TARGET)
  set(HALFTABLES_TARGET x86_64-w64-mingw32)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES HALFTABLES_TARGET HALFTABLES_EMULATOR)

string(REGEX MATCH "^[^-]+" processor "${HALFTABLES_TARGET}")
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR "${processor}")
set(CMAKE_C_COMPILER "${HALFTABLES_TARGET}-gcc-posix")
set(CMAKE_CXX_COMPILER "${HALFTABLES_TARGET}-g++-posix")
set(CMAKE_RC_COMPILER "${HALFTABLES_TARGET}-windres")

set(CMAKE_FIND_ROOT_PATH "/usr/${HALFTABLES_TARGET}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

if(NOT DEFINED HALFTABLES_EMULATOR)
  set(wine wine64)
  if(processor MATCHES "^i.86$")
    set(wine wine)
  endif()
  find_program(HALFTABLES_EMULATOR ${wine} PATHS /usr/lib/wine)
endif()
if(HALFTABLES_EMULATOR)
  # wine keeps its state in a prefix, $HOME/.wine unless told otherwise, and
  # fills $HOME with menu entries: a prefix inside the build tree instead,
  # without the menu builder, and without wine's own diagnostics in the log.
  set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_COMMAND}" -E env "WINEPREFIX=${CMAKE_BINARY_DIR}/wine"
    WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe,mscoree,mshtml=d "${HALFTABLES_EMULATOR}")
  # wine makes its prefix when it first starts, and two programs starting
  # together in a new prefix, as the two generators do, race to make it and
  # one fails: it is made once, here.
  get_property(in_try_compile GLOBAL PROPERTY IN_TRY_COMPILE)
  if(NOT in_try_compile AND NOT EXISTS "${CMAKE_BINARY_DIR}/wine/system.reg")
    execute_process(COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} wineboot --init OUTPUT_QUIET ERROR_QUIET)
  endif()
endif()
