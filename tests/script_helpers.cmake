# SPDX-License-Identifier: MIT
#
# Plumbing shared by the test scripts (cmake -P).

# With HALFTABLES_OLD_TOOLS in the environment, the builds the scripts start
# take the older CMake unpacked there (see tests/CMakeLists.txt).
if(DEFINED ENV{HALFTABLES_OLD_TOOLS})
  set(CMAKE_COMMAND "$ENV{HALFTABLES_OLD_TOOLS}/usr/bin/cmake")
endif()

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

# The configuration under test as options for cmake --install; none where
# the build has none.
if(config)
  set(with_config --config "${config}")
endif()

# hermetic_for(<configure options>): a build for another machine (one with
# a toolchain file, a system name or a cross file) takes no compiler or
# linker flags from the environment, where a distribution's build puts flags
# for this machine; ${cross} says whether it is one.
function(hermetic_for options)
  if(options MATCHES "-DCMAKE_TOOLCHAIN_FILE=|-DCMAKE_SYSTEM_NAME=|--cross-file")
    set(cross TRUE PARENT_SCOPE)
    foreach(flags IN ITEMS CFLAGS CXXFLAGS CPPFLAGS LDFLAGS)
      unset(ENV{${flags}})
    endforeach()
  endif()
endfunction()

# What each install component holds, below the prefix; a per-configuration
# file of the CMake package is named as <config>.
set(HALFTABLES_TABLES_FILES
  include/halftables/rebias.inc
  include/halftables/widen.inc
  share/cmake/HalfTables/HalfTablesConfig.cmake
  share/cmake/HalfTables/HalfTablesConfigVersion.cmake
  share/cmake/HalfTables/HalfTablesTablesTargets.cmake
  share/cmake/HalfTables/tables.sha256
  share/pkgconfig/halftables.pc)
set(HALFTABLES_GENERATORS_FILES
  libexec/halftables/rebias
  libexec/halftables/widen
  share/cmake/HalfTables/HalfTablesGeneratorsTargets-<config>.cmake
  share/cmake/HalfTables/HalfTablesGeneratorsTargets.cmake)

# expect_files(<what> <found> <expected>...): the sorted list <found> must be
# exactly <expected>.
function(expect_files what found)
  string(REGEX REPLACE "Targets-[a-z]+\\.cmake" "Targets-<config>.cmake" found "${found}")
  list(SORT found)
  set(expected ${ARGN})
  list(SORT expected)
  if(NOT found STREQUAL expected)
    string(REPLACE ";" "\n  " found "${found}")
    string(REPLACE ";" "\n  " expected "${expected}")
    message(FATAL_ERROR "${what} holds\n  ${found}\ninstead of\n  ${expected}")
  endif()
endfunction()
