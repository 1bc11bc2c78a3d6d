# SPDX-License-Identifier: MIT
#
# Builds for WASI, WebAssembly's system interface, with clang++
# --target=wasm32-wasi and Debian's wasi-libc, libc++-14-dev-wasm32,
# libc++abi-14-dev-wasm32 and libclang-rt-14-dev-wasm32.
#
#   cmake -B build/wasi --toolchain cmake/toolchains/wasi.cmake
#
# The programs run here under node through cmake/run-wasi.mjs, or under the
# program HALFTABLES_EMULATOR names (a WASI runtime); an empty value means
# none.

list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES HALFTABLES_EMULATOR)
set(CMAKE_SYSTEM_NAME WASI)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
# The platform file beside this one: CMake 3.25 has none for WASI.
list(APPEND CMAKE_MODULE_PATH "${CMAKE_CURRENT_LIST_DIR}")

set(CMAKE_FIND_ROOT_PATH /usr/include/wasm32-wasi /usr/lib/wasm32-wasi)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

if(NOT DEFINED HALFTABLES_EMULATOR)
  find_program(HALFTABLES_NODE node)
  if(HALFTABLES_NODE)
    set(HALFTABLES_EMULATOR "${HALFTABLES_NODE};--no-warnings;${CMAKE_CURRENT_LIST_DIR}/../run-wasi.mjs"
      CACHE STRING "The command that runs a WASI program here")
  endif()
endif()
if(HALFTABLES_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${HALFTABLES_EMULATOR})
endif()
