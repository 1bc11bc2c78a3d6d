# SPDX-License-Identifier: MIT
#
# Configures the parent project ${source} in ${build} with ${options}, builds
# it and installs it. A second build of the built tree must do nothing (Ninja
# says so), its install and the package it exports must hold and name
# nothing of ours, and none of our warning flags may be in its build.

include("${CMAKE_CURRENT_LIST_DIR}/script_helpers.cmake")
hermetic_for("${options}")

run("${CMAKE_COMMAND}" -S "${source}" -B "${build}" -G "${generator}" ${options})
run("${CMAKE_COMMAND}" --build "${build}" --config Release -j 8)
run("${CMAKE_COMMAND}" --build "${build}" --config Release)
if(generator MATCHES "Ninja" AND NOT output MATCHES "ninja: no work to do")
  message(FATAL_ERROR "a second build of the built parent did work:\n${output}")
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
