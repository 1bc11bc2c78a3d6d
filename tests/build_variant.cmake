# SPDX-License-Identifier: MIT
#
# Builds ${source} in ${build} with the configure ${options} and compares each
# of its ${tables} with the one in ${reference}. The build is configured
# afresh only when the options change, and otherwise brought up to date, so
# a rerun with nothing changed costs next to nothing.

include("${CMAKE_CURRENT_LIST_DIR}/script_helpers.cmake")
hermetic_for("${options}")

set(stamp "${build}/halftables-variant-options")
set(configured "")
if(EXISTS "${stamp}" AND EXISTS "${build}/CMakeCache.txt")
  file(READ "${stamp}" configured)
endif()
if(NOT configured STREQUAL "${generator};${options}")
  file(REMOVE_RECURSE "${build}")
  run("${CMAKE_COMMAND}" -S "${source}" -B "${build}" -G "${generator}" ${options})
  file(WRITE "${stamp}" "${generator};${options}")
endif()
string(REGEX MATCH "-DCMAKE_BUILD_TYPE=([^;]*)" config "${options}")
run("${CMAKE_COMMAND}" --build "${build}" --config "${CMAKE_MATCH_1}")

tables_dir("${build}" "${CMAKE_MATCH_1}")
foreach(table IN LISTS tables)
  run(cmp "${reference}/${table}.inc" "${tables_dir}/${table}.inc")
endforeach()
