# SPDX-License-Identifier: MIT
#
# The ways another build takes the tables in: installed (and moved), through
# the CMake package and pkg-config; from this build tree; as a subproject,
# natively, cross-compiled, in firmware and for the web.

find_program(HALFTABLES_PKG_CONFIG pkg-config)

# Installed into a scratch prefix, component by component, then moved: the
# CMake package and halftables.pc must still find everything.
set(prefix "${CMAKE_CURRENT_BINARY_DIR}/prefix")
if(HALFTABLES_PKG_CONFIG)
  add_test(NAME install
    COMMAND "${CMAKE_COMMAND}" "-Dbuild=${PROJECT_BINARY_DIR}" "-Dconfig=$<CONFIG>" "-Dprefix=${prefix}"
      "-Dreference=${HALFTABLES_INCLUDE_DIR}/halftables" "-Dpkg_config=${HALFTABLES_PKG_CONFIG}" "-Dcc=${CMAKE_C_COMPILER}" "-Dcxx=${CMAKE_CXX_COMPILER};${HALFTABLES_CLANG_CXX}"
      "-Dconsumer=${CMAKE_CURRENT_SOURCE_DIR}/consumer/consumer.c" "-Dreadme=${PROJECT_SOURCE_DIR}/README.md"
      -P "${CMAKE_CURRENT_SOURCE_DIR}/install.cmake")
  set_tests_properties(install PROPERTIES FIXTURES_SETUP installed)
else()
  add_unavailable(install "pkg-config is not installed (install pkg-config)")
endif()

# A project that finds the package, installed and in this build tree; the
# options after <name> come last. It needs the install test's prefix.
function(add_downstream name)
  if(NOT HALFTABLES_PKG_CONFIG)
    add_unavailable(downstream_${name} "it needs the install test, which cannot run here (see install)")
    return()
  endif()
  add_test(NAME downstream_${name}
    COMMAND "${CMAKE_CTEST_COMMAND}" --build-and-test
      "${CMAKE_CURRENT_SOURCE_DIR}/downstream" "${CMAKE_CURRENT_BINARY_DIR}/downstream_${name}"
      --build-generator "${CMAKE_GENERATOR}" --build-config "$<CONFIG>" --build-noclean
      --build-options "-DCMAKE_CXX_COMPILER=${CMAKE_CXX_COMPILER}" "-DCMAKE_C_COMPILER=${CMAKE_C_COMPILER}"
        -DCMAKE_POLICY_VERSION_MINIMUM=3.5 ${ARGN}
      --test-command "${CMAKE_CTEST_COMMAND}" -C "$<CONFIG>" --output-on-failure --no-tests=error)
  set_tests_properties(downstream_${name} PROPERTIES FIXTURES_REQUIRED installed)
endfunction()
add_downstream(installed "-DCMAKE_PREFIX_PATH=${prefix}")
add_downstream(build_tree "-DHalfTables_DIR=${PROJECT_BINARY_DIR}")
# A 32-bit consumer of the package, which is the same on every machine.
if(i386 IN_LIST targets)
  add_downstream(i386 "-DCMAKE_PREFIX_PATH=${prefix}" "-DCMAKE_TOOLCHAIN_FILE=${toolchains}/i386-linux-gnu.cmake")
endif()
# The tables alone installed: no generators.
add_downstream(tables_only "-DHalfTables_DIR=${prefix}-tables/share/cmake/HalfTables")
set_tests_properties(downstream_tables_only PROPERTIES PASS_REGULAR_EXPRESSION "HalfTables [0-9.]+ found, with the generators: \n.*the generators component is not installed")
# As a subproject: with FetchContent, and cross-compiled for aarch64
# with no emulator, in firmware in C alone, and for the web: halftables
# compiles and runs nothing in any of them, nor asks for a C++ compiler.
function(add_parent name)
  add_test(NAME ${name}
    COMMAND "${CMAKE_COMMAND}" "-Dsource=${CMAKE_CURRENT_SOURCE_DIR}/parent" "-Dbuild=${CMAKE_CURRENT_BINARY_DIR}/${name}"
      "-Dgenerator=${CMAKE_GENERATOR}" "-Doptions=-DHALFTABLES_SOURCE_DIR=${PROJECT_SOURCE_DIR};-DCMAKE_BUILD_TYPE=Release;-DCMAKE_EXPORT_COMPILE_COMMANDS=ON;${ARGN}"
      -P "${CMAKE_CURRENT_SOURCE_DIR}/parent.cmake")
endfunction()
add_parent(fetchcontent -DHALFTABLES_FETCH=ON -Werror=dev -Werror=deprecated)
if(HALFTABLES_CAN_LINK_aarch64_linux_gnu)
  add_parent(subproject_cross "-DCMAKE_TOOLCHAIN_FILE=${toolchains}/clang-cross.cmake"
    -DHALFTABLES_TARGET=aarch64-linux-gnu -DHALFTABLES_EMULATOR= -DBUILD_SHARED_LIBS=ON)
else()
  add_unavailable(subproject_cross "cannot link for aarch64-linux-gnu (see clang_arm64)")
endif()
# Firmware for a Cortex-M4, in C, with no C or C++ library for its target
# and no C++ compiler at all: the C++ compiler it names cannot build.
set(firmware -DCMAKE_SYSTEM_NAME=Generic -DCMAKE_TRY_COMPILE_TARGET_TYPE=STATIC_LIBRARY
  -DCMAKE_C_COMPILER=clang "-DCMAKE_C_FLAGS=--target=thumbv7em-none-eabi -mcpu=cortex-m4 -ffreestanding"
  -DCMAKE_CXX_COMPILER=false)
if(HALFTABLES_CLANG_CXX)
  add_parent(firmware ${firmware})
else()
  add_unavailable(firmware "no clang C compiler found, which builds for a Cortex-M4 (install clang)")
endif()
# A web project, with link flags that no program of ours could run with.
if(emscripten_variant)
  add_parent(web "-DCMAKE_TOOLCHAIN_FILE=${toolchains}/emscripten.cmake" "-DCMAKE_EXE_LINKER_FLAGS=-sENVIRONMENT=web -sMODULARIZE=1")
else()
  add_unavailable(web "Emscripten cannot build here (see emscripten)")
endif()
