# SPDX-License-Identifier: MIT
#
# The ways another build takes the tables in: installed (and moved), through
# the CMake package and pkg-config; from this build tree; as a subproject,
# natively, cross-compiled and in firmware.

find_program(HALFTABLES_PKG_CONFIG pkg-config)

# Installed into a scratch prefix, component by component, then moved: the
# CMake package and halftables.pc must still find everything.
set(prefix "${CMAKE_CURRENT_BINARY_DIR}/prefix")
if(HALFTABLES_PKG_CONFIG)
  add_test(NAME install
    COMMAND "${CMAKE_COMMAND}" "-Dbuild=${PROJECT_BINARY_DIR}" "-Dconfig=$<CONFIG>" "-Dprefix=${prefix}"
      "-Dreference=${HALFTABLES_INCLUDE_DIR}/halftables" "-Dpkg_config=${HALFTABLES_PKG_CONFIG}" "-Dcc=${CMAKE_C_COMPILER}"
      "-Dconsumer=${CMAKE_CURRENT_SOURCE_DIR}/consumer/consumer.c" "-Dreadme=${PROJECT_SOURCE_DIR}/README.md"
      -P "${CMAKE_CURRENT_SOURCE_DIR}/install.cmake")
  set_tests_properties(install PROPERTIES FIXTURES_SETUP installed)
else()
  add_unavailable(install "pkg-config is not installed (install pkg-config)")
endif()

# A project that finds the package, installed and in this build tree; the
# options after <name> come last.
function(add_downstream name)
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
# The tables alone installed: no generators.
add_downstream(tables_only "-DHalfTables_DIR=${prefix}-tables/share/cmake/HalfTables")
set_tests_properties(downstream_tables_only PROPERTIES PASS_REGULAR_EXPRESSION "the generators component is not installed")
# A build tree configured, not yet built; a host path whose generators do not run here.
add_downstream(unbuilt "-DHalfTables_DIR=${prefix}-unbuilt")
set_tests_properties(downstream_unbuilt PROPERTIES PASS_REGULAR_EXPRESSION "no tables are built yet in the build tree")
file(COPY_FILE /bin/false "${CMAKE_CURRENT_BINARY_DIR}/widen")
add_downstream(foreign_host "-DHalfTables_DIR=${prefix}-tables/share/cmake/HalfTables" "-DHALFTABLES_HOST_PATH=${CMAKE_CURRENT_BINARY_DIR}")
set_tests_properties(downstream_foreign_host PROPERTIES PASS_REGULAR_EXPRESSION "widen of HALFTABLES_HOST_PATH cannot run on this machine")
# Cross-compiled for aarch64, its programs run under qemu, the installed
# generators run as this machine's; so do those HALFTABLES_HOST_PATH gives
# the tables alone. A build for another machine takes no flags from the
# environment.
if(clang_arm64_variant)
  set(aarch64 "-DCMAKE_TOOLCHAIN_FILE=${toolchains}/clang-cross.cmake" -DHALFTABLES_TARGET=aarch64-linux-gnu
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)
  add_downstream(cross "-DHalfTables_DIR=${prefix}/share/cmake/HalfTables" ${aarch64})
  add_downstream(cross_tables_only "-DHalfTables_DIR=${prefix}-tables/share/cmake/HalfTables" "-DHALFTABLES_HOST_PATH=${prefix}" ${aarch64})
  set_tests_properties(downstream_cross downstream_cross_tables_only PROPERTIES ENVIRONMENT "CFLAGS=;CXXFLAGS=;CPPFLAGS=;LDFLAGS=")
endif()
# Generators built for WebAssembly never run here as native programs.
if(emscripten_variant)
  add_downstream(wasm "-DHalfTables_DIR=${CMAKE_CURRENT_BINARY_DIR}/variants/emscripten")
  set_tests_properties(emscripten PROPERTIES FIXTURES_SETUP emscripten_tree)
  set_tests_properties(downstream_wasm PROPERTIES FIXTURES_REQUIRED emscripten_tree
    PASS_REGULAR_EXPRESSION "widen is built for Emscripten wasm32 and cannot run on this")
endif()

# As a subproject: natively, and cross-compiled for aarch64 and for firmware
# with no emulator, where the installed host generators must write the
# tables, and again with none, where halftables builds its generators for
# this machine itself.
set(parent_generator "${CMAKE_GENERATOR}")
function(add_parent name host_path)
  add_test(NAME ${name}
    COMMAND "${CMAKE_COMMAND}" "-Dsource=${CMAKE_CURRENT_SOURCE_DIR}/parent" "-Dbuild=${CMAKE_CURRENT_BINARY_DIR}/${name}"
      "-Dgenerator=${parent_generator}" "-Dreference=${HALFTABLES_INCLUDE_DIR}/halftables" "-Dhost_path=${host_path}"
      "-Doptions=-DHALFTABLES_SOURCE_DIR=${PROJECT_SOURCE_DIR};-DPARENT_HOST_TOOLS=ON;-DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON;-DCMAKE_EXPORT_COMPILE_COMMANDS=ON;${ARGN}"
      -P "${CMAKE_CURRENT_SOURCE_DIR}/parent.cmake")
endfunction()
add_parent(subproject "" "-DCMAKE_C_COMPILER=${CMAKE_C_COMPILER}" "-DCMAKE_CXX_COMPILER=${CMAKE_CXX_COMPILER}")
add_parent(fetchcontent "" -DHALFTABLES_FETCH=ON)
if(HALFTABLES_CAN_LINK_aarch64_linux_gnu)
  add_parent(subproject_cross "${prefix}" "-DCMAKE_TOOLCHAIN_FILE=${toolchains}/clang-cross.cmake"
    -DHALFTABLES_TARGET=aarch64-linux-gnu -DHALFTABLES_EMULATOR= -DBUILD_SHARED_LIBS=ON -DPARENT_HOST_TOOLS=OFF)
  set_tests_properties(subproject_cross PROPERTIES FIXTURES_REQUIRED installed)
  add_parent(subproject_cross_native "" "-DCMAKE_TOOLCHAIN_FILE=${toolchains}/clang-cross.cmake"
    -DHALFTABLES_TARGET=aarch64-linux-gnu -DHALFTABLES_EMULATOR= -DBUILD_SHARED_LIBS=ON)
else()
  add_unavailable(subproject_cross "cannot link for aarch64-linux-gnu (see clang_arm64)")
endif()
# Firmware for a Cortex-M4, in C, with no C or C++ library for its target:
# the toolchain names clang++ for it too, which must not be asked to build.
set(firmware -DCMAKE_SYSTEM_NAME=Generic -DCMAKE_TRY_COMPILE_TARGET_TYPE=STATIC_LIBRARY
  -DCMAKE_C_COMPILER=clang "-DCMAKE_C_FLAGS=--target=thumbv7em-none-eabi -mcpu=cortex-m4 -ffreestanding"
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS=--target=thumbv7em-none-eabi)
if(HALFTABLES_CLANG_CXX)
  add_parent(firmware "${prefix}" ${firmware})
  set_tests_properties(firmware PROPERTIES FIXTURES_REQUIRED installed)
  # Ninja, where there is one, stops at a rule's input that no rule makes.
  if(HALFTABLES_NINJA AND NOT HALFTABLES_MULTI_CONFIG)
    set(parent_generator Ninja)
  endif()
  add_parent(firmware_native "" ${firmware})
endif()
