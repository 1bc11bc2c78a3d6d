# SPDX-License-Identifier: MIT
#
# Plumbing shared by the test scripts (cmake -P).

# run(<command>...): runs it, its output in ${output}; a failure ends the
# script with the command and all it printed.
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "${command} failed (${status}):\n${output}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

