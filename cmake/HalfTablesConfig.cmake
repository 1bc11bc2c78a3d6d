# SPDX-License-Identifier: MIT
#
# find_package(HalfTables [2] [COMPONENTS tables generators])
#
# HalfTables::tables puts the tables on the include path; the generators,
# where installed, are HalfTables::widen and HalfTables::rebias. Only
# HalfTables_* variables reach the caller, whose policies are restored.

if(CMAKE_VERSION VERSION_LESS 3.16)
  set(HalfTables_FOUND FALSE)
  set(HalfTables_NOT_FOUND_MESSAGE "halftables needs CMake 3.16 or later, and this is CMake ${CMAKE_VERSION}")
  return()
endif()
cmake_policy(PUSH)
cmake_policy(VERSION 3.16...3.25)

function(_halftables_load_package here)
  include("${here}/HalfTablesTablesTargets.cmake")
  include("${here}/HalfTablesGeneratorsTargets.cmake" OPTIONAL RESULT_VARIABLE generators)
  set(found tables)
  if(generators)
    list(APPEND found generators)
  endif()
  foreach(component IN LISTS found)
    set(HalfTables_${component}_FOUND TRUE PARENT_SCOPE)
  endforeach()
  foreach(component IN LISTS HalfTables_FIND_COMPONENTS)
    if(NOT component IN_LIST found AND HalfTables_FIND_REQUIRED_${component})
      set(HalfTables_FOUND FALSE PARENT_SCOPE)
      set(HalfTables_NOT_FOUND_MESSAGE "the ${component} component is not installed beside the tables"
        PARENT_SCOPE)
    endif()
  endforeach()
endfunction()

_halftables_load_package("${CMAKE_CURRENT_LIST_DIR}")
cmake_policy(POP)
