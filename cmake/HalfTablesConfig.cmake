# SPDX-License-Identifier: MIT
#
# find_package(HalfTables [1] [COMPONENTS tables generators])
#
# A package file runs in its caller's scope, under its caller's policies: it
# sets its own and restores the caller's after, and works in a function, so
# that only the HalfTables_* results reach the caller. Where the generators
# are not installed beside the tables (in a cross build's sysroot, say),
# HALFTABLES_HOST_PATH may name an installation built for this machine, whose
# generators are then HalfTables::widen and HalfTables::rebias.

if(CMAKE_VERSION VERSION_LESS 3.16)
  set(HalfTables_FOUND FALSE)
  set(HalfTables_NOT_FOUND_MESSAGE "halftables needs CMake 3.16 or later, and this is CMake ${CMAKE_VERSION}")
  return()
endif()
cmake_policy(PUSH)
cmake_policy(VERSION 3.16...3.25)

function(_halftables_load_package here)
  include("${here}/HalfTablesGenerate.cmake")
  include("${here}/HalfTablesTablesTargets.cmake")
  include("${here}/HalfTablesGeneratorsTargets.cmake" OPTIONAL RESULT_VARIABLE generators)

  # A multi-config build tree holds tables and generators only for the
  # configurations it built, the same bytes in each: a project takes them from
  # one that was built, whatever its own.
  get_target_property(include HalfTables::tables INTERFACE_INCLUDE_DIRECTORIES)
  if(include MATCHES [[\$<CONFIG>]] AND generators)
    set(built "")
    foreach(program IN ITEMS widen rebias)
      get_target_property(configs HalfTables::${program} IMPORTED_CONFIGURATIONS)
      foreach(config IN LISTS configs)
        get_target_property(location HalfTables::${program} IMPORTED_LOCATION_${config})
        if(EXISTS "${location}")
          get_filename_component(built "${location}" DIRECTORY)
        else()
          list(REMOVE_ITEM configs ${config})
          set_property(TARGET HalfTables::${program} PROPERTY IMPORTED_LOCATION_${config})
        endif()
      endforeach()
      set_target_properties(HalfTables::${program} PROPERTIES IMPORTED_CONFIGURATIONS "${configs}")
    endforeach()
    if(built)
      get_filename_component(built "${built}" NAME)
      string(REPLACE "$<CONFIG>" "${built}" include "${include}")
      set_target_properties(HalfTables::tables PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${include}")
    endif()
  endif()
  if(NOT EXISTS "${include}")
    set(HalfTables_FOUND FALSE PARENT_SCOPE)
    set(HalfTables_NOT_FOUND_MESSAGE
      "no tables are built yet in the build tree ${here}: build it first (cmake --build ${here})" PARENT_SCOPE)
    return()
  endif()

  # Installed generators run here if they run at all; else they take the
  # route that HALFTABLES_HOST_PATH or an emulator gives.
  if(generators)
    foreach(program IN ITEMS widen rebias)
      get_target_property(location HalfTables::${program} LOCATION)
      _halftables_runs_here("${location}" ${program} runs_here)
      _halftables_decide(${program} HalfTables::${program} ${runs_here} "")
    endforeach()
  elseif(HALFTABLES_HOST_PATH)
    # Global, and so made once, whichever directory finds the package first.
    if(NOT TARGET HalfTables::widen)
      foreach(program IN ITEMS widen rebias)
        _halftables_decide(${program} "" FALSE "")
      endforeach()
    endif()
    set(generators TRUE)
  endif()

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
