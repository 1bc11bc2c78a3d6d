# SPDX-License-Identifier: MIT
#
# cmake -Dcommand=<generator, after any emulator> -Doutput=<table>
#       -Dcommitted=<table> -Ddigests=<tables.sha256> -P HalfTablesCheck.cmake
#
# Runs the generator into a temporary file beside <output>, renamed to
# <output> only once the generator has succeeded and written the committed
# table byte for byte, whose SHA-256 <digests> gives: a failed or wrong run
# leaves no table for a later build to take as up to date. The bytes are
# compared by their SHA-256s, since file(READ) drops carriage returns.

get_filename_component(name "${committed}" NAME)
get_filename_component(directory "${output}" DIRECTORY)
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
file(READ "${temporary}" written)
file(READ "${committed}" expected)
file(SHA256 "${temporary}" digest)
file(SHA256 "${committed}" committed_digest)
file(STRINGS "${digests}" known REGEX "^[0-9a-f]+ [ *]${name}\r?$")
string(REGEX MATCH "^[0-9a-f]+" known "${known}")

set(why "")
if(NOT digest STREQUAL committed_digest AND written STREQUAL expected)
  set(why "${committed} has carriage returns, which the generator does not write: a checkout converted its "
    "line ends (see .gitattributes)")
elseif(NOT digest STREQUAL committed_digest)
  # The first line that differs: the longest start the two share, found by
  # halving, then the line it ends in.
  set(low 0)
  string(LENGTH "${written}${expected}" high)
  while(low LESS high)
    math(EXPR middle "(${low} + ${high} + 1) / 2")
    string(SUBSTRING "${written}" 0 ${middle} a)
    string(SUBSTRING "${expected}" 0 ${middle} b)
    if(a STREQUAL b)
      set(low ${middle})
    else()
      math(EXPR high "${middle} - 1")
    endif()
  endwhile()
  string(SUBSTRING "${written}" 0 ${low} same)
  string(REGEX REPLACE "[^\n]+" "" line "${same}")
  string(LENGTH "_${line}" line)
  string(FIND "${same}" "\n" start REVERSE)
  math(EXPR start "${start} + 1")
  foreach(text IN ITEMS written expected)
    string(SUBSTRING "${${text}}" ${start} -1 ${text})
    string(REGEX MATCH "^[^\n]*" ${text} "${${text}}")
  endforeach()
  set(why "the generator wrote a wrong ${name}, which differs from ${committed} first on line ${line}:\n"
    "  expected: ${expected}\n  written:  ${written}\nThe generator was built wrong for this machine: please "
    "report it to the halftables authors, with the compiler, its version and flags, and the machine.")
elseif(NOT digest STREQUAL known)
  set(why "its SHA-256 is ${digest}, where ${digests} gives ${known}")
endif()
if(why)
  file(REMOVE "${temporary}")
  message(FATAL_ERROR "${output} not written: " ${why})
endif()
file(RENAME "${temporary}" "${output}")
