# SPDX-License-Identifier: MIT
# WASI programs: static WebAssembly modules, named <program>.wasm.
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
set_property(GLOBAL PROPERTY TARGET_SUPPORTS_SHARED_LIBS FALSE)
