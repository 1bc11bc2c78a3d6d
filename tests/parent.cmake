# SPDX-License-Identifier: MIT
#
# Configures the parent project ${source} in ${build} with ${options}, builds
# it with -j 8 (the first build, and any after a change to the generators or
# the rule, has its two targets that list one table race to write it), runs
# its tests and installs it. Its tables must be ours, byte for byte, its
# tests its own only, its install and the package it exports must hold and
# name nothing of ours, and none of our warning flags may be in its build.
#
# A cross build has no emulator here, and the target's flags, compilers and
# toolchain in the environment, as a distribution's cross build may have.
# Configured with neither HALFTABLES_HOST_PATH nor HALFTABLES_BUILD_HOST_TOOLS
# (the parent sets them as normal variables) it must stop and say what to
# set, and it never runs what the environment names. With ${host_path}, the
# generators installed there write the tables; without, those that
# halftables builds for this machine itself.

include("${CMAKE_CURRENT_LIST_DIR}/script_helpers.cmake")
hermetic_for("${options}")

if(cross)
  # A widen on PATH, and a toolchain file and compilers that the environment
  # names, none for this machine: each marks that it ran.
  set(stray "${build}-stray")
  file(REMOVE_RECURSE "${stray}")
  file(WRITE "${stray}/widen" "#!/bin/sh\ntouch '${stray}/ran'\necho 'int x;'\n")
  file(COPY "${stray}/widen" DESTINATION "${stray}/bin")
  file(RENAME "${stray}/bin/widen" "${stray}/bin/c++")
  file(CHMOD "${stray}/widen" "${stray}/bin/c++" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  file(WRITE "${stray}/toolchain.cmake" "set(CMAKE_SYSTEM_NAME Generic)\nset(CMAKE_CXX_COMPILER ${stray}/bin/c++)\n")
  set(ENV{PATH} "${stray}:$ENV{PATH}")
  set(ENV{CXXFLAGS} -mcpu=cortex-m4)
  set(ENV{CXX} "${stray}/bin/c++")
  set(ENV{CMAKE_PROGRAM_PATH} "${stray}/bin")
  set(ENV{CMAKE_TOOLCHAIN_FILE} "${stray}/toolchain.cmake")
  execute_process(COMMAND "${CMAKE_COMMAND}" -S "${source}" -B "${build}-no-host" -G "${generator}" ${options}
    -DPARENT_HOST_TOOLS=OFF
    RESULT_VARIABLE status ERROR_VARIABLE errors OUTPUT_QUIET)
  string(REGEX REPLACE "[ \n]+" " " errors "${errors}")
  if(status EQUAL 0 OR NOT errors MATCHES "HALFTABLES_BUILD_HOST_TOOLS is off.*set HALFTABLES_HOST_PATH .* or set CMAKE_CROSSCOMPILING_EMULATOR")
    message(FATAL_ERROR "a cross build with neither host generators nor an emulator did not stop as it should:\n${errors}")
  endif()
  list(APPEND options "-DPARENT_HOST_PATH=${host_path}")
endif()

run("${CMAKE_COMMAND}" -S "${source}" -B "${build}" -G "${generator}" ${options})
tables_dir("${build}" Release halftables)
set(tables "${tables_dir}/widen.inc" "${tables_dir}/rebias.inc" "${build}/own/halftables/widen.inc")
run("${CMAKE_COMMAND}" --build "${build}" --config Release -j 8)
if(cross AND NOT host_path)
  file(GLOB host "${build}/halftables/host-generators/widen" "${build}/halftables/host-generators/Release/widen")
  run(${host})
endif()
foreach(table IN LISTS tables)
  cmake_path(GET table FILENAME name)
  run(cmp "${reference}/${name}" "${table}")
endforeach()

if(NOT host_path)
  run("${CMAKE_CTEST_COMMAND}" --test-dir "${build}" -C Release --no-tests=error)
  if(NOT output MATCHES "tests passed, 0 tests failed out of 1\n")
    message(FATAL_ERROR "the parent's ctest ran other tests than its own one:\n${output}")
  endif()
endif()

file(REMOVE_RECURSE "${build}/installed")
run("${CMAKE_COMMAND}" --install "${build}" --config Release --prefix "${build}/installed")
file(GLOB_RECURSE installed RELATIVE "${build}" "${build}/installed/*" "${build}/bin/*")
file(STRINGS "${build}/installed/lib/cmake/myhalf/myhalfTargets.cmake" ours REGEX "[Hh]alf[Tt]ables")
file(STRINGS "${build}/compile_commands.json" warned REGEX "-Wconversion")
if(installed MATCHES "[Hh]alf[Tt]ables|bin/" OR ours OR warned)
  message(FATAL_ERROR "the parent's install or its package holds or names ours, or our warnings "
    "are in its build: ${installed} ${ours} ${warned}")
endif()

if(cross AND EXISTS "${stray}/ran")
  message(FATAL_ERROR "the build ran a widen on PATH or a compiler that the environment names")
endif()
