# SPDX-License-Identifier: MIT
#
# The generators, the tables they write into this build tree, and the names a
# parent project uses, the same as after find_package(HalfTables):
# HalfTables::widen, HalfTables::rebias, HalfTables::tables and
# half_tables_generate(). Every name made here starts with halftables, so
# none can clash with a parent's.

include("${CMAKE_CURRENT_LIST_DIR}/HalfTablesGenerate.cmake")

# Distributions link dynamically. A static generator starts about a
# millisecond sooner, and runs under qemu-user without the target's libraries.
option(HALFTABLES_STATIC "Link the generators statically" OFF)
set(HALFTABLES_HOST_PATH "" CACHE PATH
  "Prefix of a halftables installation built for this machine, whose generators write the tables in a cross build")

# Each generator writes its table, <generator>.inc, where an including project
# looks for it: <dir>/halftables/<generator>.inc. A multi-config generator
# (Visual Studio, Xcode, Ninja Multi-Config) builds a generator per
# configuration, so each configuration writes tables of its own, beside its
# programs: switching configurations then rewrites no table and recompiles
# nothing that includes one. Every configuration's tables are the same bytes.
set(HALFTABLES_GENERATORS widen rebias)
get_property(HALFTABLES_MULTI_CONFIG GLOBAL PROPERTY GENERATOR_IS_MULTI_CONFIG)
if(HALFTABLES_MULTI_CONFIG)
  set(HALFTABLES_INCLUDE_DIR "${PROJECT_BINARY_DIR}/$<CONFIG>/include")
else()
  set(HALFTABLES_INCLUDE_DIR "${PROJECT_BINARY_DIR}/include")
endif()
set(HALFTABLES_TABLES "")
foreach(generator IN LISTS HALFTABLES_GENERATORS)
  set(target halftables_${generator})
  add_executable(${target} "${PROJECT_SOURCE_DIR}/generators/${generator}.cpp")
  add_executable(HalfTables::${generator} ALIAS ${target})
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${generator}
    EXPORT_NAME ${generator}
    CXX_STANDARD 17
    CXX_STANDARD_REQUIRED ON
    CXX_EXTENSIONS OFF
    # What it is and what it was built for go with it into the package, so
    # that half_tables_generate() knows there whether it can run it.
    HALFTABLES_PROGRAM ${generator}
    HALFTABLES_SYSTEM "${CMAKE_SYSTEM_NAME}"
    HALFTABLES_PROCESSOR "${CMAKE_SYSTEM_PROCESSOR}"
    EXPORT_PROPERTIES "HALFTABLES_PROGRAM;HALFTABLES_SYSTEM;HALFTABLES_PROCESSOR")
  if(EMSCRIPTEN)
    # One self-contained .js, the WebAssembly inside it, that writes standard
    # output through the system's own calls, so that a failed write fails the
    # program: node <prefix>/libexec/halftables/widen.js > widen.inc.
    target_link_options(${target} PRIVATE -sSINGLE_FILE=1 -sNODERAWFS=1)
  endif()
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" OR CMAKE_CXX_COMPILER_FRONTEND_VARIANT STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion)
    if(HALFTABLES_STATIC)
      target_link_options(${target} PRIVATE -static)
    endif()
  endif()
  set(table "${HALFTABLES_INCLUDE_DIR}/halftables/${generator}.inc")
  half_tables_generate(${target} "${table}")
  list(APPEND HALFTABLES_TABLES "${table}")
endforeach()
add_custom_target(halftables_tables ALL DEPENDS ${HALFTABLES_TABLES})

# The tables as a target to link to, so that #include <halftables/widen.inc>
# finds them.
add_library(halftables INTERFACE)
add_library(HalfTables::tables ALIAS halftables)
set_target_properties(halftables PROPERTIES EXPORT_NAME tables)
target_include_directories(halftables INTERFACE
  "$<BUILD_INTERFACE:${HALFTABLES_INCLUDE_DIR}>"
  "$<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>")
add_dependencies(halftables halftables_tables)
