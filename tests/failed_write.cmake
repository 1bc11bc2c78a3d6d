# SPDX-License-Identifier: MIT
#
# A build whose generator cannot write its table, or writes a wrong one, must
# fail, say why (for a wrong one, the first line that differs), and leave no
# table behind that a later build would take as up to date, nor its temporary
# file. A limit on file size (ulimit -f) stops the write a little way into
# the table. ${generator} is a CMake generator,
# or Meson. The tables go first, with whatever an earlier run left.
include("${CMAKE_CURRENT_LIST_DIR}/script_helpers.cmake")

if(generator STREQUAL "Meson")
  if(NOT EXISTS "${build}/build.ninja")
    run(meson setup "${build}" "${source}")
  endif()
  set(build_generators ninja -C "${build}" widen rebias)
  set(build_tables ninja -C "${build}")
  set(tables_dir "${build}/meson/halftables")
else()
  if(NOT EXISTS "${build}/CMakeCache.txt")
    run("${CMAKE_COMMAND}" -S "${source}" -B "${build}" -G "${generator}" -DBUILD_TESTING=OFF -DHALFTABLES_INSTALL=OFF)
  endif()
  set(build_generators "${CMAKE_COMMAND}" --build "${build}" --config Release --target halftables_widen halftables_rebias)
  set(build_tables "${CMAKE_COMMAND}" --build "${build}" --config Release --target halftables_tables)
  set(tables_dir "${build}/include/halftables")
endif()
run(${build_generators})
file(REMOVE_RECURSE "${tables_dir}")
# Ninja reports a failed command's output on standard output, make on
# standard error: the message may be on either.
execute_process(COMMAND sh -c "ulimit -f 64; exec \"$@\"" sh ${build_tables}
  RESULT_VARIABLE status OUTPUT_VARIABLE errors ERROR_VARIABLE errors)
if(status EQUAL 0)
  message(FATAL_ERROR "the build succeeded although widen could not write its table")
endif()
string(REGEX REPLACE "[ \n]+" " " errors "${errors}")
if(NOT errors MATCHES "widen.inc not written: the generator failed")
  message(FATAL_ERROR "the build failed without saying which table:\n${errors}")
endif()
file(GLOB left RELATIVE "${tables_dir}" "${tables_dir}/*widen*")
if(left)
  message(FATAL_ERROR "the failed run left ${left} in ${tables_dir}")
endif()

# A widen that writes a wrong table, in place of the real one, which the
# next run builds again.
file(GLOB widen "${build}/widen" "${build}/Release/widen")
file(WRITE "${widen}" "#!/bin/sh\necho wrong\n")
execute_process(COMMAND ${build_tables} RESULT_VARIABLE status OUTPUT_VARIABLE errors ERROR_VARIABLE errors)
file(REMOVE "${widen}")
string(REGEX REPLACE "[ \n]+" " " errors "${errors}")
file(GLOB left "${tables_dir}/*widen*")
if(status EQUAL 0 OR NOT errors MATCHES "widen.inc not written: the generator wrote a wrong widen.inc, .* on line 1: expected: // written: wrong" OR left)
  message(FATAL_ERROR "the build took a wrong table, or did not say which:\n${errors}")
endif()
# The real widen, built again, writes the committed table, which the check
# takes.
run(${build_tables})
