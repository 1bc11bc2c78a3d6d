# SPDX-License-Identifier: MIT
#
# Installs the build in ${build} (its ${config}) component by component,
# checks what each holds (and keeps the tables alone in ${prefix}-tables),
# then moves the whole prefix to ${prefix}, where pkg-config must still find
# the tables for a C compiler and the generators that write them; the widen
# found there writes the tables in ${reference}. The README's C example, with
# its pkg-config and make lines, and docs/exponent-table.md's conversion
# build against it and run.
include("${CMAKE_CURRENT_LIST_DIR}/script_helpers.cmake")

set(staging "${prefix}-staging")
file(REMOVE_RECURSE "${staging}" "${prefix}" "${prefix}-tables")
run("${CMAKE_COMMAND}" --install "${build}" ${with_config} --prefix "${staging}" --component tables)
file(GLOB_RECURSE found RELATIVE "${staging}" "${staging}/*")
expect_files("the tables component" "${found}" ${HALFTABLES_TABLES_FILES})
file(COPY "${staging}/" DESTINATION "${prefix}-tables")
run("${CMAKE_COMMAND}" --install "${build}" ${with_config} --prefix "${staging}" --component generators)
file(GLOB_RECURSE found RELATIVE "${staging}" "${staging}/*")
expect_files("the tables and generators components" "${found}" ${HALFTABLES_TABLES_FILES} ${HALFTABLES_GENERATORS_FILES})
file(RENAME "${staging}" "${prefix}")

# The C consumer is the README's C example, word for word.
file(READ "${readme}" text)
file(READ "${consumer}" program)
string(REGEX REPLACE "^/\\*[^\n]*\\*/\n" "" program "${program}")
string(FIND "${text}" "```c\n${program}```" at)
if(at EQUAL -1)
  message(FATAL_ERROR "README.md's C example is not ${consumer}")
endif()

# The README's pkg-config and make lines, word for word, build its C example
# as half.c and run the installed widen: pkg-config escapes a space in a
# path, which only a shell's reading undoes.
set(ENV{PKG_CONFIG_PATH} "${prefix}/share/pkgconfig")
configure_file("${consumer}" "${prefix}-readme/half.c" COPYONLY)
string(REGEX MATCH "\n(eval [^`]*)```.*```make\n([^`]*)```" lines "${text}")
file(WRITE "${prefix}-readme/Makefile" "${CMAKE_MATCH_2}")
run(sh -ec "cd \"$0\"\n${CMAKE_MATCH_1}make -B half && ./half\ncmp widen.inc \"$1\"" "${prefix}-readme" "${reference}/widen.inc")
run("${pkg_config}" --cflags halftables)
separate_arguments(cflags UNIX_COMMAND "${output}")
# The exponent table's worked conversion, word for word, checks itself.
file(READ "${CMAKE_CURRENT_LIST_DIR}/../docs/exponent-table.md" text)
string(REGEX MATCH "```c\n([^`]*)```" example "${text}")
file(WRITE "${prefix}-single_to_half.c" "${CMAKE_MATCH_1}")
run("${cc}" -std=c99 -pedantic -Wall -Wextra -Werror ${cflags} "${prefix}-single_to_half.c" -o "${prefix}-single_to_half")
run("${prefix}-single_to_half")
