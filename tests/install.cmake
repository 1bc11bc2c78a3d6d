# SPDX-License-Identifier: MIT
#
# Installs the build in ${build} (its ${config}) component by component,
# checks what each holds (and keeps the tables alone in ${prefix}-tables),
# then moves the whole prefix to ${prefix}, where pkg-config must still find
# the tables for a C compiler and the generators that write them; the widen
# found there writes the tables in ${reference}. The README's C example, with
# its pkg-config and make lines, docs/exponent-table.md's conversion and
# docs/cpp.md's files build against it and run.
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
# path, which only a shell's reading undoes. Each command of an && list on
# a line of its own, since sh -e passes over a failure inside one.
set(ENV{PKG_CONFIG_PATH} "${prefix}/share/pkgconfig")
configure_file("${consumer}" "${prefix}-readme/half.c" COPYONLY)
string(REGEX MATCH "\n(eval [^`]*)```.*```make\n([^`]*)```" lines "${text}")
file(WRITE "${prefix}-readme/Makefile" "${CMAKE_MATCH_2}")
string(REPLACE " && " "\n" lines "${CMAKE_MATCH_1}make -B half && ./half\ncmp widen.inc \"$1\"")
run(sh -ec "cd \"$0\"\n${lines}" "${prefix}-readme" "${reference}/widen.inc")
run("${pkg_config}" --cflags halftables)
separate_arguments(cflags UNIX_COMMAND "${output}")
# The exponent table's worked conversion, word for word, checks itself.
file(READ "${CMAKE_CURRENT_LIST_DIR}/../docs/exponent-table.md" text)
string(REGEX MATCH "```c\n([^`]*)```" example "${text}")
file(WRITE "${prefix}-single_to_half.c" "${CMAKE_MATCH_1}")
run("${cc}" -std=c99 -pedantic -Wall -Wextra -Werror ${cflags} "${prefix}-single_to_half.c" -o "${prefix}-single_to_half")
run("${prefix}-single_to_half")

# docs/cpp.md's files, each named by its first line, word for word, built by
# each C++ compiler in ${cxx} with warnings as errors: the program prints
# what the page says it prints.
run(sh -c "mkdir -p \"$1\" && cd \"$1\" && awk '/^```$/ { n = \"\" } n { print > n } /^```cpp$/ { getline\n n = $2\n print > n }' \"$0\""
  "${CMAKE_CURRENT_LIST_DIR}/../docs/cpp.md" "${prefix}-cpp")
list(FILTER cxx EXCLUDE REGEX "NOTFOUND$")
foreach(compiler IN LISTS cxx)
  run("${compiler}" -std=c++11 -Wall -Wextra -Wpedantic -Werror ${cflags} -o "${prefix}-cpp/main" "${prefix}-cpp/main.cpp" "${prefix}-cpp/half_tables.cpp")
  run(sh -c "grep -F -q \"prints \\`$(\"$0\")\\`\" \"$1\"" "${prefix}-cpp/main" "${CMAKE_CURRENT_LIST_DIR}/../docs/cpp.md")
endforeach()
