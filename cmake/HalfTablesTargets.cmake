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
# Below CMake 3.21 a cache entry made here would hide a parent's normal
# variable of the same name on the first configure.
if(NOT DEFINED HALFTABLES_HOST_PATH)
  set(HALFTABLES_HOST_PATH "" CACHE PATH
    "Prefix of a halftables installation built for this machine, whose generators write the tables in a cross build")
endif()
option(HALFTABLES_BUILD_HOST_TOOLS
  "In a cross build with neither HALFTABLES_HOST_PATH nor an emulator, build the generators for this machine too, and run those"
  ON)
set(HALFTABLES_GENERATORS widen rebias)

# A cross build with neither host generators nor an emulator builds the
# generators once more, for this machine, in a nested build inside this build
# tree: with this machine's default C++ compiler and nothing of the cross
# build's toolchain, nor anything from the environment that CMake reads there
# (cmake-env-variables(7), and what later versions added), where a
# distribution's cross build puts the target's. The nested build brings
# itself up to date on every build, as any other step; its programs change,
# and the tables are written again, only when the generators' sources do.
if(CMAKE_CROSSCOMPILING AND NOT HALFTABLES_HOST_PATH AND NOT CMAKE_CROSSCOMPILING_EMULATOR
    AND HALFTABLES_BUILD_HOST_TOOLS)
  set(host_build "${PROJECT_BINARY_DIR}/host-generators")
  set_property(GLOBAL PROPERTY HALFTABLES_HOST_BUILD "${host_build}")
  set(host_options -G "${CMAKE_GENERATOR}")
  if(CMAKE_GENERATOR MATCHES "Ninja|Makefiles")
    list(APPEND host_options "-DCMAKE_MAKE_PROGRAM=${CMAKE_MAKE_PROGRAM}")
  endif()
  set(hermetic "${CMAKE_COMMAND}" -E env)
  foreach(variable IN ITEMS CC CXX CFLAGS CXXFLAGS CPPFLAGS LDFLAGS RC RCFLAGS CMAKE_TOOLCHAIN_FILE
      CMAKE_GENERATOR CMAKE_GENERATOR_INSTANCE CMAKE_GENERATOR_PLATFORM CMAKE_GENERATOR_TOOLSET
      CMAKE_BUILD_TYPE CMAKE_CONFIGURATION_TYPES CMAKE_CONFIG_TYPE CMAKE_BUILD_PARALLEL_LEVEL
      CMAKE_C_COMPILER_LAUNCHER CMAKE_C_LINKER_LAUNCHER CMAKE_CXX_COMPILER_LAUNCHER
      CMAKE_CXX_LINKER_LAUNCHER CMAKE_CROSSCOMPILING_EMULATOR CMAKE_PREFIX_PATH CMAKE_INSTALL_PREFIX
      CMAKE_INSTALL_MODE CMAKE_EXPORT_COMPILE_COMMANDS CMAKE_EXPORT_BUILD_DATABASE
      CMAKE_COLOR_DIAGNOSTICS CMAKE_NO_VERBOSE VERBOSE DESTDIR CMAKE_OSX_ARCHITECTURES
      MACOSX_DEPLOYMENT_TARGET CMAKE_APPLE_SILICON_PROCESSOR CMAKE_MSVCIDE_RUN_PATH ADSP_ROOT
      MAKEFLAGS MAKELEVEL)
    list(APPEND hermetic --unset=${variable})
  endforeach()
  set(host_programs "")
  foreach(generator IN LISTS HALFTABLES_GENERATORS)
    _halftables_host_program(${generator} program dependency)
    list(APPEND host_programs "${program}")
  endforeach()
  add_custom_command(OUTPUT "${host_build}/CMakeCache.txt"
    COMMAND ${hermetic} "${CMAKE_COMMAND}" -S "${PROJECT_SOURCE_DIR}" -B "${host_build}" ${host_options}
      -DCMAKE_BUILD_TYPE=Release
      "-DCMAKE_RUNTIME_OUTPUT_DIRECTORY_RELEASE=${host_build}" -DBUILD_TESTING=OFF -DHALFTABLES_INSTALL=OFF
    COMMENT "Configuring the generators for this machine"
    VERBATIM)
  # A make inside make's rule has no part in its jobserver: two jobs of its
  # own, for the two generators, which the one target builds side by side
  # (make runs the goals named on its command line one after the other).
  add_custom_target(halftables_host_generators
    COMMAND ${hermetic} "${CMAKE_COMMAND}" --build "${host_build}" --config Release --parallel 2
      --target halftables_generators
    DEPENDS "${host_build}/CMakeCache.txt"
    BYPRODUCTS ${host_programs}
    COMMENT "Bringing the generators for this machine up to date"
    VERBATIM)
endif()

# In a cross build the target's generators cannot run here. They are built
# where they run all the same (under an emulator) or are installed; a guest
# whose tables host generators write builds none, and asks nothing of the
# target's C++ toolchain: HalfTables::widen and HalfTables::rebias are then
# the host generators themselves.
if(CMAKE_CROSSCOMPILING AND NOT HALFTABLES_INSTALL AND (HALFTABLES_HOST_PATH OR NOT CMAKE_CROSSCOMPILING_EMULATOR))
  _halftables_import_host_generators("${CMAKE_SYSTEM_NAME}" "${CMAKE_SYSTEM_PROCESSOR}")
else()
  enable_language(CXX)
  foreach(generator IN LISTS HALFTABLES_GENERATORS)
    set(target halftables_${generator})
    add_executable(${target} "${PROJECT_SOURCE_DIR}/generators/${generator}.cpp")
    add_executable(HalfTables::${generator} ALIAS ${target})
    # C++11 at least; a parent's or user's CMAKE_CXX_STANDARD, where set, is
    # what they are compiled with.
    target_compile_features(${target} PRIVATE cxx_std_11)
    set_target_properties(${target} PROPERTIES
      OUTPUT_NAME ${generator}
      EXPORT_NAME ${generator}
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
      # Our warnings are for our own builds: a guest's would land in its
      # parent's, under the parent's compiler and its warnings-as-errors.
      if(PROJECT_IS_TOP_LEVEL)
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion)
      endif()
      if(HALFTABLES_STATIC)
        target_link_options(${target} PRIVATE -static)
      endif()
    endif()
  endforeach()
  add_custom_target(halftables_generators)
  add_dependencies(halftables_generators halftables_widen halftables_rebias)
endif()

# Each generator writes its table, <generator>.inc, where an including project
# looks for it: <dir>/halftables/<generator>.inc. A multi-config generator
# (Visual Studio, Xcode, Ninja Multi-Config) builds a generator per
# configuration, so each configuration writes tables of its own, beside its
# programs: switching configurations then rewrites no table and recompiles
# nothing that includes one. Every configuration's tables are the same bytes.
# Before CMake 3.20 a rule's output cannot differ by configuration: there the
# configurations share one directory, and each writes the same tables again.
get_property(HALFTABLES_MULTI_CONFIG GLOBAL PROPERTY GENERATOR_IS_MULTI_CONFIG)
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

# The tables as a target to link to, so that #include <halftables/widen.inc>
# finds them. A library that installs and exports itself links them as
# $<BUILD_INTERFACE:HalfTables::tables>: they are compiled in, and its
# package then neither names nor needs ours.
add_library(halftables INTERFACE)
add_library(HalfTables::tables ALIAS halftables)
set_target_properties(halftables PROPERTIES EXPORT_NAME tables)
target_include_directories(halftables INTERFACE "$<BUILD_INTERFACE:${HALFTABLES_INCLUDE_DIR}>")
add_dependencies(halftables halftables_tables)
