# SPDX-License-Identifier: MIT
#
# A build whose generator cannot write its table must fail, say why, and
# leave no table behind that a later build would take as up to date, nor its
# temporary file. A limit on file size (ulimit -f) stops widen a little way
# into its table.
if(NOT EXISTS "${build}/CMakeCache.txt")
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -S "${source}" -B "${build}" -G "${generator}" -DBUILD_TESTING=OFF -DHALFTABLES_INSTALL=OFF
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${build}" --target halftables_widen halftables_rebias OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
set(directory "${build}/include/halftables")
file(REMOVE "${directory}/widen.inc")
execute_process(
  COMMAND sh -c "ulimit -f 64; exec \"$0\" --build \"$1\" --target halftables_tables"
    "${CMAKE_COMMAND}" "${build}"
  RESULT_VARIABLE status ERROR_VARIABLE errors OUTPUT_QUIET)
if(status EQUAL 0)
  message(FATAL_ERROR "the build succeeded although widen could not write its table")
endif()
string(REGEX REPLACE "[ \n]+" " " errors "${errors}")
if(NOT errors MATCHES "widen.inc not written: the generator failed")
  message(FATAL_ERROR "the build failed without saying which table:\n${errors}")
endif()
file(GLOB left RELATIVE "${directory}" "${directory}/*widen*")
if(left)
  message(FATAL_ERROR "the failed run left ${left} in ${directory}")
endif()
