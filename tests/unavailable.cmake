# SPDX-License-Identifier: MIT
#
# Stands in for a test this machine cannot run: a plain skip on a developer's
# machine, a failure in CI, where a skip would hide a missing install step.
if(DEFINED ENV{CI} AND NOT "$ENV{CI}" STREQUAL "" AND NOT "$ENV{CI}" STREQUAL "false")
  message(FATAL_ERROR "${name} cannot run in CI: ${reason}")
endif()
message("${name} skipped: ${reason}")
