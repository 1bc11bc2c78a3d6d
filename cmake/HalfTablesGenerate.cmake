# SPDX-License-Identifier: MIT
#
# half_tables_generate(<generator> <output>)
#
# Adds the build rule that runs <generator> (HalfTables::widen or
# HalfTables::rebias, from add_subdirectory, FetchContent or find_package)
# and saves its table as <output>, which may hold $<CONFIG> from CMake 3.20
# on: in a multi-config build, each configuration then writes a table of its
# own, and switching configurations rewrites none. List <output> among the
# sources of one target, or give it a target of its own that others depend
# on: the table is then written before they are compiled.
#
# Whether a generator runs here is settled by the machine: one that this
# build builds runs here unless the build is a cross build; an installed one
# is run once as the project is configured, and runs here if it succeeds (if
# it then writes other bytes than its table's, it was built wrong, and the
# configure stops). A generator is never run by name from PATH. Where it
# cannot run here, the rule runs instead, in this order: the host generator
# of the halftables installation that HALFTABLES_HOST_PATH names; the
# target's generator under CMAKE_CROSSCOMPILING_EMULATOR; the generator that
# halftables, taken in from source, builds for this machine itself (unless
# HALFTABLES_BUILD_HOST_TOOLS is off); else configure stops and says so.
#
# Each run writes a temporary file of its own beside <output> and renames it
# only once the generator has succeeded and the table is the known bytes
# (its SHA-256 is in tables.sha256, beside this file, as sha256sum writes
# it), removing it otherwise: a failed or interrupted run leaves no
# half-written table, a generator built wrong leaves no wrong one, and two
# runs at once (a table listed in two targets, two builds of one tree)
# cannot spoil each other.
#
# Run with cmake -P, this file is that run: -Dcommand=<list> -Doutput=<file>
# -Dtable=<name in tables.sha256> -Ddigest=<its SHA-256>.

# The end of the message that a generator wrote a wrong table.
function(_halftables_built_wrong result)
  set(${result} "The generator was built wrong for this machine: please report it to the halftables "
    "authors, with the compiler, its version and flags, and the machine it was built for, and use no "
    "table it wrote." PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  get_filename_component(directory "${output}" DIRECTORY)
  get_filename_component(name "${output}" NAME)
  file(MAKE_DIRECTORY "${directory}")
  # string(RANDOM) is seeded from the system's entropy, not the clock, so
  # runs started together still get names of their own.
  string(RANDOM LENGTH 16 tag)
  set(temporary "${directory}/.${name}.${tag}.tmp")
  execute_process(COMMAND ${command} OUTPUT_FILE "${temporary}" RESULT_VARIABLE status)
  if(NOT status STREQUAL "0")
    file(REMOVE "${temporary}")
    message(FATAL_ERROR "${output} not written: the generator failed (${status})")
  endif()
  file(SHA256 "${temporary}" written)
  if(NOT written STREQUAL digest)
    file(REMOVE "${temporary}")
    _halftables_built_wrong(why)
    message(FATAL_ERROR "${output} not written: the generator wrote a wrong ${table}, SHA-256 "
      "${written} where the table's is ${digest}. " ${why})
  endif()
  file(RENAME "${temporary}" "${output}")
  return()
endif()

include_guard(GLOBAL)
# Where the rule's script and the digests are, for the functions below
# wherever they are called from.
set_property(GLOBAL PROPERTY HALFTABLES_GENERATE_FILE "${CMAKE_CURRENT_LIST_FILE}")

# The SHA-256 of <program>'s table, in <result>, from tables.sha256: a line
# "<digest>  <program>.inc", or "<digest> *<program>.inc" as sha256sum -b
# writes it.
function(_halftables_digest program result)
  get_property(script GLOBAL PROPERTY HALFTABLES_GENERATE_FILE)
  get_filename_component(digests "${script}" DIRECTORY)
  set(digests "${digests}/tables.sha256")
  file(STRINGS "${digests}" line REGEX "^[0-9A-Fa-f]+ [ *]${program}\\.inc\r?$")
  string(REGEX MATCH "^[0-9A-Fa-f]+" digest "${line}")
  string(LENGTH "${digest}" length)
  if(NOT length EQUAL 64)
    message(FATAL_ERROR "halftables: ${digests} gives no SHA-256 for ${program}.inc")
  endif()
  string(TOLOWER "${digest}" digest)
  set(${result} "${digest}" PARENT_SCOPE)
endfunction()

# The host generator <program>, from the installation HALFTABLES_HOST_PATH
# names, or else from this build's nested build for this machine: its path in
# <result> and what a rule must depend on in <dependency>, or an empty
# <result>.
function(_halftables_host_program program result dependency)
  set(${result} "" PARENT_SCOPE)
  get_property(host_build GLOBAL PROPERTY HALFTABLES_HOST_BUILD)
  if(HALFTABLES_HOST_PATH)
    # find_program keeps a result already set, the caller's or a cache
    # entry's: a name of our own, cleared first and left in no cache.
    unset(_halftables_host)
    unset(_halftables_host CACHE)
    find_program(_halftables_host NAMES "${program}" NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
      PATHS "${HALFTABLES_HOST_PATH}" PATH_SUFFIXES libexec/halftables)
    set(location "${_halftables_host}")
    unset(_halftables_host CACHE)
    if(NOT location)
      message(FATAL_ERROR "HALFTABLES_HOST_PATH is ${HALFTABLES_HOST_PATH}, but it holds no "
        "libexec/halftables/${program}: name the prefix of a halftables installation built "
        "for this machine")
    endif()
    set(${result} "${location}" PARENT_SCOPE)
    set(${dependency} "${location}" PARENT_SCOPE)
  elseif(host_build)
    set(suffix "")
    if(CMAKE_HOST_WIN32)
      set(suffix .exe)
    endif()
    set(location "${host_build}/${program}${suffix}")
    set(${result} "${location}" PARENT_SCOPE)
    set(${dependency} halftables_host_generators "${location}" PARENT_SCOPE)
  endif()
endfunction()

# HalfTables::widen and HalfTables::rebias as the host generators, for a
# build whose own generators, for <system> <processor>, are not built or not
# installed.
function(_halftables_import_host_generators system processor)
  foreach(program IN ITEMS widen rebias)
    _halftables_host_program(${program} location dependency)
    if(NOT location)
      _halftables_cannot_run(${program} "${system}" "${processor}")
    endif()
    add_executable(HalfTables::${program} IMPORTED GLOBAL)
    set_target_properties(HalfTables::${program} PROPERTIES
      IMPORTED_LOCATION "${location}"
      HALFTABLES_PROGRAM ${program}
      HALFTABLES_SYSTEM "${CMAKE_HOST_SYSTEM_NAME}"
      HALFTABLES_PROCESSOR "${CMAKE_HOST_SYSTEM_PROCESSOR}"
      HALFTABLES_DEPENDS "${dependency}")
  endforeach()
endfunction()

function(_halftables_cannot_run program system processor)
  string(STRIP "${system} ${processor}" target)
  # Where our source is at hand, the option is defined; from an installed
  # package it is not, and there is nothing to build host generators from.
  if(DEFINED CACHE{HALFTABLES_BUILD_HOST_TOOLS})
    set(why "HALFTABLES_BUILD_HOST_TOOLS is off, so no generators are built for this machine either")
  else()
    set(why "an installed halftables has no source to build generators for this machine from "
      "(taken in from source, with add_subdirectory or FetchContent, it builds them itself)")
  endif()
  message(FATAL_ERROR "halftables: ${program} is built for ${target} and cannot "
    "run on this ${CMAKE_HOST_SYSTEM_NAME} ${CMAKE_HOST_SYSTEM_PROCESSOR} machine to write "
    "its table, and " ${why} ". Either set HALFTABLES_HOST_PATH to the prefix of a halftables "
    "installation built for this machine, or set CMAKE_CROSSCOMPILING_EMULATOR to a program "
    "that runs ${target} programs here (a qemu-user emulator, say, or node for WebAssembly).")
endfunction()

# Whether the installed generator <program> at <location> runs on this
# machine, in <result>: it is run once, now, and runs here if it succeeds.
# One that then writes other bytes than its table's was built wrong: the
# configure stops.
function(_halftables_runs_here location program result)
  set(${result} FALSE PARENT_SCOPE)
  if(NOT EXISTS "${location}")
    return()
  endif()
  execute_process(COMMAND "${location}" RESULT_VARIABLE status OUTPUT_VARIABLE table ERROR_QUIET)
  if(NOT status STREQUAL "0")
    return()
  endif()
  string(SHA256 written "${table}")
  _halftables_digest(${program} digest)
  if(NOT written STREQUAL digest)
    _halftables_built_wrong(why)
    message(FATAL_ERROR "halftables: ${location} runs on this machine but writes a wrong "
      "${program}.inc, SHA-256 ${written} where the table's is ${digest}. " ${why})
  endif()
  set(${result} TRUE PARENT_SCOPE)
endfunction()

# The command that runs <generator> on this machine, in <result>, what the
# rule must depend on, in <dependency>, and the generator's name, in <name>.
function(_halftables_runner generator result dependency name)
  if(NOT TARGET "${generator}")
    if(generator MATCHES "^HalfTables::(widen|rebias)$")
      message(FATAL_ERROR "half_tables_generate: ${generator} is not a target: the generators "
        "component of halftables is needed, with find_package(HalfTables COMPONENTS generators) "
        "and the generators installed, or HALFTABLES_HOST_PATH naming an installation of them "
        "built for this machine")
    endif()
    message(FATAL_ERROR "half_tables_generate: ${generator} is not a target; "
      "use HalfTables::widen or HalfTables::rebias")
  endif()
  get_target_property(target "${generator}" ALIASED_TARGET)
  if(NOT target)
    set(target "${generator}")
  endif()
  get_target_property(program "${target}" HALFTABLES_PROGRAM)
  if(NOT program)
    message(FATAL_ERROR "half_tables_generate: ${generator} is not a halftables generator; "
      "use HalfTables::widen or HalfTables::rebias")
  endif()
  set(${name} "${program}" PARENT_SCOPE)
  get_target_property(system "${target}" HALFTABLES_SYSTEM)
  get_target_property(processor "${target}" HALFTABLES_PROCESSOR)
  get_target_property(imported "${target}" IMPORTED)
  get_property(built_by TARGET "${target}" PROPERTY HALFTABLES_DEPENDS)

  # One of ours runs here unless this build is a cross build; one that the
  # nested build makes for this machine, once made; an installed one, where
  # it runs.
  if(NOT imported)
    set(runs_here TRUE)
    if(CMAKE_CROSSCOMPILING)
      set(runs_here FALSE)
    endif()
  elseif(built_by MATCHES "^halftables_host_generators;")
    set(runs_here TRUE)
  else()
    get_target_property(location "${target}" LOCATION)
    _halftables_runs_here("${location}" ${program} runs_here)
  endif()

  # Else, in this order: the host generators HALFTABLES_HOST_PATH names, the
  # target's under the emulator, the nested build's for this machine.
  if(runs_here)
    set(${result} "$<TARGET_FILE:${target}>" PARENT_SCOPE)
    set(${dependency} "${target}" ${built_by} PARENT_SCOPE)
  elseif(CMAKE_CROSSCOMPILING_EMULATOR AND NOT HALFTABLES_HOST_PATH)
    set(${result} ${CMAKE_CROSSCOMPILING_EMULATOR} "$<TARGET_FILE:${target}>" PARENT_SCOPE)
    set(${dependency} "${target}" PARENT_SCOPE)
  else()
    _halftables_host_program(${program} host host_dependency)
    if(NOT host)
      _halftables_cannot_run(${program} "${system}" "${processor}")
    endif()
    if(HALFTABLES_HOST_PATH)
      _halftables_runs_here("${host}" ${program} host_runs_here)
      if(NOT host_runs_here)
        message(FATAL_ERROR "halftables: ${host}, which HALFTABLES_HOST_PATH gives, cannot run on "
          "this machine: name the prefix of a halftables installation built for this machine")
      endif()
    endif()
    set(${result} "${host}" PARENT_SCOPE)
    set(${dependency} ${host_dependency} PARENT_SCOPE)
  endif()
endfunction()

function(half_tables_generate generator output)
  _halftables_runner("${generator}" command dependency program)
  _halftables_digest(${program} digest)
  get_property(script GLOBAL PROPERTY HALFTABLES_GENERATE_FILE)
  get_filename_component(digests "${script}" DIRECTORY)
  # COMMENT takes no generator expressions before CMake 3.26.
  string(REPLACE "$<CONFIG>" "<config>" shown "${output}")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND "${CMAKE_COMMAND}" "-Dcommand=${command}" "-Doutput=${output}" "-Dtable=${program}.inc"
      "-Ddigest=${digest}" -P "${script}"
    DEPENDS ${dependency} "${script}" "${digests}/tables.sha256"
    COMMENT "Writing ${shown}"
    VERBATIM)
endfunction()
