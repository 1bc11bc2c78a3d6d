# SPDX-License-Identifier: MIT
# A build whose generator cannot write its table must fail, say why, and
# leave no table behind that a later build would take as up to date. The
# temporary file is made a link to /dev/full, which fails every write.
file(REMOVE_RECURSE "${build}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -S "${source}" -B "${build}" -G "${generator}" -DBUILD_TESTING=OFF
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
set(table "${build}/include/halftables/widen.inc")
file(MAKE_DIRECTORY "${build}/include/halftables")
file(CREATE_LINK /dev/full "${table}.tmp" SYMBOLIC)
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${build}" RESULT_VARIABLE status ERROR_VARIABLE errors OUTPUT_QUIET)
if(status EQUAL 0)
  message(FATAL_ERROR "the build succeeded although widen could not write its table")
endif()
if(NOT errors MATCHES "widen: write error: No space left on device")
  message(FATAL_ERROR "the build failed without widen's reason:\n${errors}")
endif()
if(EXISTS "${table}")
  message(FATAL_ERROR "the failed run left ${table}")
endif()
