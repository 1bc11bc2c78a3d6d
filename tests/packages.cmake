# SPDX-License-Identifier: MIT
#
# The ways another build takes the tables in: installed, through the CMake
# package; as a subproject, natively and cross-compiled.

# Installed into a fresh prefix, the package serves another project.
set(prefix "${CMAKE_CURRENT_BINARY_DIR}/prefix")
add_test(NAME install
  COMMAND "${CMAKE_COMMAND}" "-Dbuild=${PROJECT_BINARY_DIR}" "-Dprefix=${prefix}"
    -P "${CMAKE_CURRENT_SOURCE_DIR}/install.cmake")
set_tests_properties(install PROPERTIES FIXTURES_SETUP installed)
add_test(NAME downstream
  COMMAND "${CMAKE_CTEST_COMMAND}" --build-and-test
    "${CMAKE_CURRENT_SOURCE_DIR}/downstream" "${CMAKE_CURRENT_BINARY_DIR}/downstream"
    --build-generator "${CMAKE_GENERATOR}" --build-noclean
    --build-options "-DCMAKE_PREFIX_PATH=${prefix}"
      "-DCMAKE_CXX_COMPILER=${CMAKE_CXX_COMPILER}" "-DCMAKE_C_COMPILER=${CMAKE_C_COMPILER}"
    --test-command "${CMAKE_CTEST_COMMAND}" --output-on-failure --no-tests=error)
set_tests_properties(downstream PROPERTIES FIXTURES_REQUIRED installed)

# As a subproject: natively, and cross-compiled for aarch64 with no emulator,
# where the installed host generators must write the tables.
function(add_parent name host_path)
  add_test(NAME ${name}
    COMMAND "${CMAKE_COMMAND}" "-Dsource=${CMAKE_CURRENT_SOURCE_DIR}/parent" "-Dbuild=${CMAKE_CURRENT_BINARY_DIR}/${name}"
      "-Dgenerator=${CMAKE_GENERATOR}" "-Dreference=${HALFTABLES_INCLUDE_DIR}/halftables" "-Dhost_path=${host_path}"
      "-Doptions=-DHALFTABLES_SOURCE_DIR=${PROJECT_SOURCE_DIR};-DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON;${ARGN}"
      -P "${CMAKE_CURRENT_SOURCE_DIR}/parent.cmake")
endfunction()
add_parent(subproject "" "-DCMAKE_C_COMPILER=${CMAKE_C_COMPILER}" "-DCMAKE_CXX_COMPILER=${CMAKE_CXX_COMPILER}")
if(HALFTABLES_CAN_LINK_aarch64_linux_gnu)
  add_parent(subproject_cross "${prefix}" "-DCMAKE_TOOLCHAIN_FILE=${toolchains}/clang-cross.cmake"
    -DHALFTABLES_TARGET=aarch64-linux-gnu -DHALFTABLES_EMULATOR=)
  set_tests_properties(subproject_cross PROPERTIES FIXTURES_REQUIRED installed)
endif()
