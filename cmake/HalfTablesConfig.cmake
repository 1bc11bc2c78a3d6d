# SPDX-License-Identifier: MIT
#
# find_package(HalfTables [1] [COMPONENTS tables generators])
#
# A package file runs in its caller's scope, under its caller's policies. It
# sets the policies it is written for and restores the caller's after, and
# does its work in a function, so the caller's variables stay as they were:
# only the HalfTables_* results are set.
#
# Where the generators are not installed beside the tables (in a cross
# build's sysroot, say), HALFTABLES_HOST_PATH may name an installation built
# for this machine: its generators are HalfTables::widen and
# HalfTables::rebias.

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
  set(found tables)
  # The generators may be packaged apart from the tables.
  include("${here}/HalfTablesGeneratorsTargets.cmake" OPTIONAL RESULT_VARIABLE generators)

  # A multi-config build tree offers every configuration, but holds generators
  # and tables only for those it built. They are the same bytes in each, so a
  # project takes them from a configuration that was built, whatever its own.
  get_target_property(include HalfTables::tables INTERFACE_INCLUDE_DIRECTORIES)
  if(include MATCHES [[\$<CONFIG>]] AND generators)
    set(directory "")
    foreach(generator IN ITEMS widen rebias)
      set(target HalfTables::${generator})
      set(built "")
      get_target_property(configs ${target} IMPORTED_CONFIGURATIONS)
      foreach(config IN LISTS configs)
        get_target_property(location ${target} IMPORTED_LOCATION_${config})
        if(EXISTS "${location}")
          list(APPEND built ${config})
          get_filename_component(directory "${location}" DIRECTORY)
        else()
          set_property(TARGET ${target} PROPERTY IMPORTED_LOCATION_${config})
        endif()
      endforeach()
      set_target_properties(${target} PROPERTIES IMPORTED_CONFIGURATIONS "${built}")
    endforeach()
    if(NOT directory)
      set(HalfTables_FOUND FALSE PARENT_SCOPE)
      set(HalfTables_NOT_FOUND_MESSAGE
        "the build tree ${here} has built no configuration yet: build one first (cmake --build ${here} --config Release)"
        PARENT_SCOPE)
      return()
    endif()
    get_filename_component(config "${directory}" NAME)
    string(REPLACE "$<CONFIG>" "${config}" include "${include}")
    set_target_properties(HalfTables::tables PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${include}")
  endif()

  if(NOT generators AND HALFTABLES_HOST_PATH)
    # Global, and so made once, whichever directory finds the package first.
    if(NOT TARGET HalfTables::widen)
      _halftables_import_host_generators("" "")
    endif()
    set(generators TRUE)
  endif()
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
