# SPDX-License-Identifier: MIT
#
# The generators, the tables they write into this build tree, and the names a
# parent uses, the same as after find_package(HalfTables): HalfTables::widen,
# HalfTables::rebias, HalfTables::tables and half_tables_generate(). Every
# name made here starts with halftables.

include("${CMAKE_CURRENT_LIST_DIR}/HalfTablesGenerate.cmake")

# Distributions link dynamically. A static generator starts about a
# millisecond sooner, and runs under qemu-user without the target's libraries.
option(HALFTABLES_STATIC "Link the generators statically" OFF)
# Below CMake 3.21 a cache entry would hide a parent's normal variable of the
# same name on the first configure.
if(NOT DEFINED HALFTABLES_HOST_PATH)
  set(HALFTABLES_HOST_PATH "" CACHE PATH
    "Prefix of a halftables installation built for this machine, whose generators write the tables in a cross build")
endif()
option(HALFTABLES_BUILD_HOST_TOOLS
  "In a cross build with neither HALFTABLES_HOST_PATH nor an emulator, build the generators for this machine too, and run those"
  ON)
set(HALFTABLES_HOST_CXX "" CACHE FILEPATH
  "The C++ compiler that builds those generators for this machine (empty: CMake's default, in a clean environment)")
set(HALFTABLES_GENERATORS widen rebias)
get_property(HALFTABLES_MULTI_CONFIG GLOBAL PROPERTY GENERATOR_IS_MULTI_CONFIG)

# A cross build with neither host generators nor an emulator builds the
# generators once more, for this machine, in a nested build in this tree. It
# is configured now, so that a machine without a C++ compiler is told so now,
# and takes nothing of the cross build: neither its toolchain nor its
# environment, where CXX, CXXFLAGS, CMAKE_TOOLCHAIN_FILE, CMAKE_PROGRAM_PATH
# and all else CMake reads may be the target's. On a Unix host it starts from
# an empty environment but for the search paths and the temporary directory;
# a Windows host's compilers need theirs, which it keeps. host_<generator> is
# its program, or OFF where there is none.
set(host_widen OFF)
set(host_rebias OFF)
if(CMAKE_CROSSCOMPILING AND NOT HALFTABLES_HOST_PATH AND NOT CMAKE_CROSSCOMPILING_EMULATOR
    AND HALFTABLES_BUILD_HOST_TOOLS)
  set(host_build "${PROJECT_BINARY_DIR}/host-generators")
  set(clean "")
  if(NOT CMAKE_HOST_WIN32)
    set(clean env -i "PATH=$ENV{PATH}" "LD_LIBRARY_PATH=$ENV{LD_LIBRARY_PATH}" "TMPDIR=$ENV{TMPDIR}")
  endif()
  set(host_options -G "${CMAKE_GENERATOR}" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DHALFTABLES_INSTALL=OFF
    "-DHALFTABLES_PROGRAMS_FILE=${host_build}/programs")
  if(CMAKE_GENERATOR MATCHES "Ninja|Makefiles")
    list(APPEND host_options "-DCMAKE_MAKE_PROGRAM=${CMAKE_MAKE_PROGRAM}")
  endif()
  if(HALFTABLES_HOST_CXX)
    list(APPEND host_options "-DCMAKE_CXX_COMPILER=${HALFTABLES_HOST_CXX}")
  endif()
  execute_process(COMMAND ${clean} "${CMAKE_COMMAND}" -S "${PROJECT_SOURCE_DIR}" -B "${host_build}" ${host_options}
    RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
  if(NOT status EQUAL 0)
    file(REMOVE_RECURSE "${host_build}")
    message(FATAL_ERROR "halftables: a cross build with neither HALFTABLES_HOST_PATH nor "
      "CMAKE_CROSSCOMPILING_EMULATOR builds the generators for this machine too, and needs a C++ "
      "compiler for it, which HALFTABLES_HOST_CXX may name; that build cannot be configured here. Else "
      "set HALFTABLES_HOST_PATH to the prefix of a halftables installation built for this machine, or "
      "CMAKE_CROSSCOMPILING_EMULATOR to a program that runs the target's programs here.\n${log}")
  endif()
  file(STRINGS "${host_build}/CMakeCache.txt" compiler REGEX "^CMAKE_CXX_COMPILER:")
  string(REGEX REPLACE "^[^=]*=" "" compiler "${compiler}")
  message(STATUS "halftables: the generators for this machine are built with ${compiler}")

  file(READ "${host_build}/programs" host_programs)
  list(GET host_programs 0 host_widen)
  list(GET host_programs 1 host_rebias)
  # A make inside make's rule has no part in its jobserver: two jobs of its
  # own, for the two generators, which the one target builds side by side.
  add_custom_target(halftables_host_generators
    COMMAND ${clean} "${CMAKE_COMMAND}" --build "${host_build}" --config Release --parallel 2
      --target halftables_generators
    BYPRODUCTS ${host_programs}
    COMMENT "Bringing the generators for this machine up to date"
    VERBATIM)
endif()

# A cross guest whose tables host generators write builds no generators and
# asks nothing of the target's C++ toolchain: HalfTables::widen and
# HalfTables::rebias are then the host generators themselves.
if(CMAKE_CROSSCOMPILING AND NOT HALFTABLES_INSTALL AND (HALFTABLES_HOST_PATH OR NOT CMAKE_CROSSCOMPILING_EMULATOR))
  foreach(generator IN LISTS HALFTABLES_GENERATORS)
    _halftables_decide(${generator} "" FALSE "${host_${generator}}")
  endforeach()
else()
  enable_language(CXX)
  foreach(generator IN LISTS HALFTABLES_GENERATORS)
    set(target halftables_${generator})
    add_executable(${target} "${PROJECT_SOURCE_DIR}/generators/${generator}.cpp")
    add_executable(HalfTables::${generator} ALIAS ${target})
    # C++11 at least; a parent's CMAKE_CXX_STANDARD, where set, holds.
    target_compile_features(${target} PRIVATE cxx_std_11)
    # What it is and what it was built for go into the package. A guest's
    # programs stay in its own tree, whatever output directories the parent sets.
    set_target_properties(${target} PROPERTIES
      OUTPUT_NAME ${generator}
      EXPORT_NAME ${generator}
      RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}"
      HALFTABLES_PROGRAM ${generator}
      HALFTABLES_SYSTEM "${CMAKE_SYSTEM_NAME}"
      HALFTABLES_PROCESSOR "${CMAKE_SYSTEM_PROCESSOR}"
      EXPORT_PROPERTIES "HALFTABLES_PROGRAM;HALFTABLES_SYSTEM;HALFTABLES_PROCESSOR")
    foreach(config IN LISTS CMAKE_CONFIGURATION_TYPES CMAKE_BUILD_TYPE)
      string(TOUPPER "${config}" config)
      set_property(TARGET ${target} PROPERTY RUNTIME_OUTPUT_DIRECTORY_${config})
    endforeach()
    if(EMSCRIPTEN)
      # One self-contained .js that writes standard output through the
      # system's own calls, so that a failed write fails the program.
      target_link_options(${target} PRIVATE -sSINGLE_FILE=1 -sNODERAWFS=1)
    endif()
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" OR CMAKE_CXX_COMPILER_FRONTEND_VARIANT STREQUAL "GNU")
      # A guest's warnings would land in its parent's build, under its
      # warnings-as-errors.
      if(PROJECT_IS_TOP_LEVEL)
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion)
      endif()
      if(HALFTABLES_STATIC)
        target_link_options(${target} PRIVATE -static)
      endif()
    endif()
    if(CMAKE_CROSSCOMPILING)
      _halftables_decide(${generator} ${target} FALSE "${host_${generator}}")
    else()
      _halftables_decide(${generator} ${target} TRUE "")
    endif()
  endforeach()
  add_custom_target(halftables_generators)
  add_dependencies(halftables_generators halftables_widen halftables_rebias)
  # A nested build tells its parent where its programs are.
  if(HALFTABLES_PROGRAMS_FILE)
    file(GENERATE OUTPUT "${HALFTABLES_PROGRAMS_FILE}" CONTENT "$<TARGET_FILE:halftables_widen>;$<TARGET_FILE:halftables_rebias>"
      CONDITION $<CONFIG:Release>)
  endif()
endif()

# Each generator writes its table where an including project looks for it,
# <dir>/halftables/<generator>.inc. From CMake 3.20, each configuration of a
# multi-config build writes tables of its own, beside its programs: switching
# configurations then rewrites no table and recompiles nothing. Before, the
# configurations share one directory; every configuration's tables are the
# same bytes.
if(HALFTABLES_MULTI_CONFIG AND NOT CMAKE_VERSION VERSION_LESS 3.20)
  set(HALFTABLES_INCLUDE_DIR "${PROJECT_BINARY_DIR}/$<CONFIG>/include")
else()
  set(HALFTABLES_INCLUDE_DIR "${PROJECT_BINARY_DIR}/include")
endif()
set(HALFTABLES_TABLES "")
foreach(generator IN LISTS HALFTABLES_GENERATORS)
  set(table "${HALFTABLES_INCLUDE_DIR}/halftables/${generator}.inc")
  half_tables_generate(HalfTables::${generator} "${table}")
  list(APPEND HALFTABLES_TABLES "${table}")
endforeach()
add_custom_target(halftables_tables ALL DEPENDS ${HALFTABLES_TABLES})

# The tables as a target to link to, for #include <halftables/widen.inc>. A
# library that exports itself links $<BUILD_INTERFACE:HalfTables::tables>:
# compiled in, they stay out of its package.
add_library(halftables INTERFACE)
add_library(HalfTables::tables ALIAS halftables)
set_target_properties(halftables PROPERTIES EXPORT_NAME tables)
target_include_directories(halftables INTERFACE "$<BUILD_INTERFACE:${HALFTABLES_INCLUDE_DIR}>")
add_dependencies(halftables halftables_tables)
