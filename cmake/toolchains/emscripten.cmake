# SPDX-License-Identifier: MIT
#
# Builds for WebAssembly with Emscripten (Debian's emscripten), through
# Emscripten's own toolchain file, found beside em++. Each generator links
# into one self-contained .js, which node runs: node widen.js > widen.inc.
#
#   cmake -B build/emscripten --toolchain cmake/toolchains/emscripten.cmake
#
# The programs run here under node, or under the program HALFTABLES_EMULATOR
# names; an empty value means none.

find_program(HALFTABLES_EMXX em++)
if(NOT HALFTABLES_EMXX)
  message(FATAL_ERROR "em++ not found: install Debian's emscripten")
endif()
get_filename_component(emscripten "${HALFTABLES_EMXX}" REALPATH)
get_filename_component(emscripten "${emscripten}" DIRECTORY)
# What the package records its generators to be built for.
set(EMSCRIPTEN_SYSTEM_PROCESSOR wasm32)
# node as it is: emcmake's --experimental-wasm-threads is an option node 20
# no longer accepts.
if(NOT DEFINED HALFTABLES_EMULATOR)
  find_program(HALFTABLES_EMULATOR node)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR "")
if(HALFTABLES_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${HALFTABLES_EMULATOR}")
endif()
include("${emscripten}/cmake/Modules/Platform/Emscripten.cmake")

# Debian's emscripten optimises with Debian's acorn module, which a node not
# from Debian does not look for.
if(EXISTS /usr/share/nodejs/acorn)
  set(ENV{NODE_PATH} /usr/share/nodejs)
  set(CMAKE_CXX_LINKER_LAUNCHER "${CMAKE_COMMAND}" -E env NODE_PATH=/usr/share/nodejs)
endif()
