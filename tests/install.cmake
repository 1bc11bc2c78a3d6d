# SPDX-License-Identifier: MIT
# Installs the build in ${build} into a fresh ${prefix}, and checks that the
# programs and tables are where the package says they are.
file(REMOVE_RECURSE "${prefix}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${build}" --prefix "${prefix}" COMMAND_ERROR_IS_FATAL ANY)
foreach(file IN ITEMS bin/widen bin/rebias include/halftables/widen.inc include/halftables/rebias.inc)
  if(NOT EXISTS "${prefix}/${file}")
    message(FATAL_ERROR "${file} was not installed")
  endif()
endforeach()
