# SPDX-License-Identifier: MIT
#
# Builds ${source} in ${build} with the configure ${options} and compares each
# of the ${tables} it wrote with the one in ${reference}. The build is
# configured afresh only when the options change, and otherwise brought up to
# date, so a rerun with nothing changed costs next to nothing.
#
# With the generator Meson, the build is of tests/meson, a Meson project that
# takes ${source} in as a subproject through its wrap and tests its C
# consumer; the tables compared are those the subproject gives it.

include("${CMAKE_CURRENT_LIST_DIR}/script_helpers.cmake")
hermetic_for("${options}")

if(generator STREQUAL "Meson")
  # Meson takes a subproject from its parent's subprojects/ only: a copy of
  # the parent with the wrap file that docs/meson.md gives, word for word,
  # and a link to ${source} there as the directory the wrap names.
  set(parent "${build}-parent")
  file(COPY "${source}/tests/meson/meson.build" "${source}/tests/consumer/consumer.c" DESTINATION "${parent}")
  file(READ "${source}/docs/meson.md" text)
  string(REGEX MATCH "```ini\n([^`]*\ndirectory = ([^\n]+)[^`]*)```" wrap "${text}")
  set(wrap "${CMAKE_MATCH_1}")
  set(subproject "${parent}/subprojects/${CMAKE_MATCH_2}")
  set(configure meson setup --wrap-mode=forcefallback ${options} "${build}" "${parent}")
  set(build_and_test meson test -C "${build}" --print-errorlogs)
  set(tables_dir "${subproject}/include/halftables")
else()
  set(configure "${CMAKE_COMMAND}" -S "${source}" -B "${build}" -G "${generator}" ${options})
  string(REGEX MATCH "-DCMAKE_BUILD_TYPE=([^;]*)" config "${options}")
  set(config "${CMAKE_MATCH_1}")
  set(build_and_test "${CMAKE_COMMAND}" --build "${build}" --config "${config}")
endif()

set(stamp "${build}/halftables-variant-options")
set(configured "")
if(EXISTS "${stamp}")
  file(READ "${stamp}" configured)
endif()
if(NOT configured STREQUAL "${generator};${options}")
  file(REMOVE_RECURSE "${build}")
  if(parent)
    file(MAKE_DIRECTORY "${parent}/subprojects")
    file(CREATE_LINK "${source}" "${subproject}" SYMBOLIC)
    file(WRITE "${parent}/subprojects/halftables.wrap" "${wrap}")
  endif()
  run(${configure})
  file(WRITE "${stamp}" "${generator};${options}")
endif()
run(${build_and_test})

# Built on its own, halftables compiles its generators with our warnings,
# whatever compiler of GCC's flags builds them.
file(STRINGS "${build}/compile_commands.json" warned REGEX "-Wconversion")
if(NOT tables_dir AND NOT warned)
  message(FATAL_ERROR "the generators were compiled without our warnings")
elseif(NOT tables_dir)
  set(tables_dir "${build}/include/halftables")
else()
  # A Meson guest takes none of our warnings, and installs the tables and
  # their digests where the CMake install has them when asked (each source
  # path is followed by where it goes), and nothing when not.
  run(meson introspect --installed "${build}")
  string(REGEX MATCH "install=enabled" asked "${options}")
  if(warned OR (asked AND NOT output MATCHES ": \"[^\"]*/include/halftables/widen\\.inc\".*: \"[^\"]*/share/cmake/HalfTables/tables\\.sha256\"") OR (NOT asked AND output MATCHES "/"))
    message(FATAL_ERROR "the Meson guest took our warnings, or installed otherwise than asked: ${warned} ${output}")
  endif()
endif()
foreach(table IN LISTS tables)
  run(cmp "${reference}/${table}.inc" "${tables_dir}/${table}.inc")
endforeach()
