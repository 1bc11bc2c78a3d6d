# SPDX-License-Identifier: MIT
#
# half_tables_generate(<generator> <output>)
#
# The rule that runs <generator> (HalfTables::widen or HalfTables::rebias)
# and saves its table as <output>, which may hold $<CONFIG> from CMake 3.20
# on. List <output> in the sources of one target, or give it a target of its
# own that others depend on.
#
# How a generator runs here was decided where its target was made
# (_halftables_decide). Each run writes a temporary file beside <output>,
# renamed only once the generator has succeeded and the table is the known
# bytes (tables.sha256, beside this file): a failed run leaves no table, a
# generator built wrong no wrong one, and two runs at once cannot clash.
# Run with cmake -P, this file is that run: -Dcommand=<list> -Doutput=<file>
# -Dtable=<name in tables.sha256> -Ddigest=<its SHA-256>.

function(_halftables_built_wrong result)
  set(${result} "The generator was built wrong for this machine: please report it to the halftables "
    "authors, with the compiler, its version and flags, and the machine it was built for, and use no "
    "table it wrote." PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  get_filename_component(directory "${output}" DIRECTORY)
  get_filename_component(name "${output}" NAME)
  file(MAKE_DIRECTORY "${directory}")
  # Seeded from the system's entropy, not the clock: runs started together
  # still get names of their own.
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
# Where the rule's script and the digests are, wherever a function is called.
set_property(GLOBAL PROPERTY HALFTABLES_GENERATE_FILE "${CMAKE_CURRENT_LIST_FILE}")

# The SHA-256 of <program>'s table, from a line of tables.sha256 as sha256sum
# writes it, in text or in binary (*) form.
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

# Whether the installed generator <program> at <location> runs here: it is
# run once, now, and does if it succeeds. One that then writes other bytes
# than its table's was built wrong, and the configure stops.
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

# _halftables_decide(<program> <target> <runs here> <nested>)
#
# How <program> (widen or rebias) runs on this machine, recorded on <target>
# for half_tables_generate(): HALFTABLES_COMMAND and what a rule depends on,
# HALFTABLES_DEPENDS, or why it cannot, HALFTABLES_CANNOT_RUN, which only a
# rule makes an error. <runs here> says whether <target>'s own program runs
# here. Where it does not, in this order: the generator of the installation
# HALFTABLES_HOST_PATH names; <target>'s under CMAKE_CROSSCOMPILING_EMULATOR;
# <nested>, the program a nested build makes for this machine. <nested> is
# OFF where HALFTABLES_BUILD_HOST_TOOLS turned that build off, and empty from
# a package, which has no source to build from. With no <target>, the host
# generator itself is made HalfTables::<program>.
function(_halftables_decide program target runs_here nested)
  set(command "")
  set(depends "")
  set(cannot_run "")
  if(runs_here)
    set(command "$<TARGET_FILE:${target}>")
    set(depends ${target})
  elseif(HALFTABLES_HOST_PATH)
    # find_program keeps a result already set: a name of our own, cleared
    # first and left in no cache.
    unset(_halftables_host)
    unset(_halftables_host CACHE)
    find_program(_halftables_host NAMES ${program} NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
      PATHS "${HALFTABLES_HOST_PATH}" PATH_SUFFIXES libexec/halftables)
    set(command "${_halftables_host}")
    unset(_halftables_host CACHE)
    _halftables_runs_here("${command}" ${program} runs)
    if(NOT runs)
      message(FATAL_ERROR "halftables: the ${program} of HALFTABLES_HOST_PATH cannot run on this machine, "
        "or is missing: ${HALFTABLES_HOST_PATH}/libexec/halftables/${program}. Name the prefix of a "
        "halftables installation built for this machine.")
    endif()
    set(depends "${command}")
  elseif(target AND CMAKE_CROSSCOMPILING_EMULATOR)
    set(command ${CMAKE_CROSSCOMPILING_EMULATOR} "$<TARGET_FILE:${target}>")
    set(depends ${target})
  elseif(nested)
    set(command "${nested}")
    set(depends halftables_host_generators "${nested}")
  else()
    set(built_for "${CMAKE_SYSTEM_NAME} ${CMAKE_SYSTEM_PROCESSOR}")
    if(target)
      get_target_property(system ${target} HALFTABLES_SYSTEM)
      get_target_property(processor ${target} HALFTABLES_PROCESSOR)
      set(built_for "${system} ${processor}")
    endif()
    string(STRIP "${built_for}" built_for)
    set(why "an installed halftables has no source to build generators for this machine from "
      "(taken in from source, with add_subdirectory or FetchContent, it builds them itself)")
    if(nested STREQUAL "OFF")
      set(why "HALFTABLES_BUILD_HOST_TOOLS is off, so no generators are built for this machine either")
    endif()
    string(CONCAT cannot_run "halftables: ${program} is built for ${built_for} and cannot run on this "
      "${CMAKE_HOST_SYSTEM_NAME} ${CMAKE_HOST_SYSTEM_PROCESSOR} machine to write its table, and " ${why}
      ". Either set HALFTABLES_HOST_PATH to the prefix of a halftables installation built for this "
      "machine, or set CMAKE_CROSSCOMPILING_EMULATOR to a program that runs ${built_for} programs here "
      "(a qemu-user emulator, say, or node for WebAssembly).")
  endif()
  if(NOT target)
    set(target HalfTables::${program})
    add_executable(${target} IMPORTED GLOBAL)
    set_target_properties(${target} PROPERTIES IMPORTED_LOCATION "${command}" HALFTABLES_PROGRAM ${program})
  endif()
  set_target_properties(${target} PROPERTIES HALFTABLES_COMMAND "${command}" HALFTABLES_DEPENDS "${depends}"
    HALFTABLES_CANNOT_RUN "${cannot_run}")
endfunction()

function(half_tables_generate generator output)
  if(NOT TARGET "${generator}" AND generator MATCHES "^HalfTables::(widen|rebias)$")
    message(FATAL_ERROR "half_tables_generate: ${generator} is not a target: the generators "
      "component of halftables is needed, with find_package(HalfTables COMPONENTS generators) "
      "and the generators installed, or HALFTABLES_HOST_PATH naming an installation of them "
      "built for this machine")
  endif()
  set(program "")
  if(TARGET "${generator}")
    get_target_property(target "${generator}" ALIASED_TARGET)
    if(NOT target)
      set(target "${generator}")
    endif()
    get_target_property(program "${target}" HALFTABLES_PROGRAM)
  endif()
  if(NOT program)
    message(FATAL_ERROR "half_tables_generate: ${generator} is not a halftables generator; "
      "use HalfTables::widen or HalfTables::rebias")
  endif()
  get_target_property(cannot_run "${target}" HALFTABLES_CANNOT_RUN)
  if(cannot_run)
    message(FATAL_ERROR "${cannot_run}")
  endif()
  get_target_property(command "${target}" HALFTABLES_COMMAND)
  get_target_property(depends "${target}" HALFTABLES_DEPENDS)
  _halftables_digest(${program} digest)
  get_property(script GLOBAL PROPERTY HALFTABLES_GENERATE_FILE)
  get_filename_component(digests "${script}" DIRECTORY)
  # COMMENT takes no generator expressions before CMake 3.26.
  string(REPLACE "$<CONFIG>" "<config>" shown "${output}")
  add_custom_command(OUTPUT "${output}"
    COMMAND "${CMAKE_COMMAND}" "-Dcommand=${command}" "-Doutput=${output}" "-Dtable=${program}.inc"
      "-Ddigest=${digest}" -P "${script}"
    DEPENDS ${depends} "${script}" "${digests}/tables.sha256"
    COMMENT "Writing ${shown}"
    VERBATIM)
endfunction()
