# SPDX-License-Identifier: MIT
#
# A build whose generator cannot write its table must fail, say why, and
# leave no table behind that a later build would take as up to date, nor its
# temporary file. A limit on file size (ulimit -f) stops widen a little way
# into its table.
include("${CMAKE_CURRENT_LIST_DIR}/script_helpers.cmake")

if(NOT EXISTS "${build}/CMakeCache.txt")
  run("${CMAKE_COMMAND}" -S "${source}" -B "${build}" -G "${generator}" -DBUILD_TESTING=OFF -DHALFTABLES_INSTALL=OFF)
endif()
run("${CMAKE_COMMAND}" --build "${build}" --config Release --target halftables_widen halftables_rebias)
tables_dir("${build}" Release)
file(REMOVE "${tables_dir}/widen.inc")
# Ninja reports a failed command's output on standard output, make on
# standard error: the message may be on either.
execute_process(
  COMMAND sh -c "ulimit -f 64; exec \"$0\" --build \"$1\" --config Release --target halftables_tables"
    "${CMAKE_COMMAND}" "${build}"
  RESULT_VARIABLE status OUTPUT_VARIABLE errors ERROR_VARIABLE errors)
if(status EQUAL 0)
  message(FATAL_ERROR "the build succeeded although widen could not write its table")
endif()
string(REGEX REPLACE "[ \n]+" " " errors "${errors}")
if(NOT errors MATCHES "widen.inc not written: the generator failed")
  message(FATAL_ERROR "the build failed without saying which table:\n${errors}")
endif()
file(GLOB left RELATIVE "${tables_dir}" "${tables_dir}/*widen*")
if(left)
  message(FATAL_ERROR "the failed run left ${left} in ${tables_dir}")
endif()
