# SPDX-License-Identifier: MIT
#
# Installs the build in ${build} (its ${config}) component by component,
# checks what each holds (and keeps the tables alone in ${prefix}-tables),
# then moves the whole prefix to ${prefix}, where pkg-config must still find
# the tables for a C compiler and the generators that write them; the widen
# found there writes the tables in ${reference}. The README's C example and
# docs/exponent-table.md's conversion build against it and run.
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

set(ENV{PKG_CONFIG_PATH} "${prefix}/share/pkgconfig")
run("${pkg_config}" --cflags halftables)
separate_arguments(cflags UNIX_COMMAND "${output}")
run("${cc}" -std=c99 -pedantic -Werror ${cflags} "${consumer}" -o "${prefix}-consumer")
run("${prefix}-consumer")
# The exponent table's worked conversion, word for word, checks itself.
file(READ "${CMAKE_CURRENT_LIST_DIR}/../docs/exponent-table.md" text)
string(REGEX MATCH "```c\n([^`]*)```" example "${text}")
file(WRITE "${prefix}-single_to_half.c" "${CMAKE_MATCH_1}")
run("${cc}" -std=c99 -pedantic -Wall -Wextra -Werror ${cflags} "${prefix}-single_to_half.c" -o "${prefix}-single_to_half")
run("${prefix}-single_to_half")

# As the README runs it: pkg-config escapes a space in a path.
run(sh -c "eval \"$(\"$0\" --variable=widen halftables)\" > \"$1\"" "${pkg_config}" "${prefix}-widen.inc")
run(cmp "${reference}/widen.inc" "${prefix}-widen.inc")

# A build tree configured and never built, which no package may offer.
run("${CMAKE_COMMAND}" -S "${CMAKE_CURRENT_LIST_DIR}/.." -B "${prefix}-unbuilt" -DBUILD_TESTING=OFF)
