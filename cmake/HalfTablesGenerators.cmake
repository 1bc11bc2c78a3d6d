# SPDX-License-Identifier: MIT
#
# Built on its own, halftables builds the generators, HalfTables::widen and
# HalfTables::rebias, and proves the committed tables with them: each table
# is written into ${HALFTABLES_INCLUDE_DIR}/halftables/ only if a generator
# writes it byte for byte, and the build fails otherwise.

enable_language(CXX)
set(HALFTABLES_GENERATORS widen rebias)
foreach(generator IN LISTS HALFTABLES_GENERATORS)
  set(target halftables_${generator})
  add_executable(${target} "${PROJECT_SOURCE_DIR}/generators/${generator}.cpp")
  add_executable(HalfTables::${generator} ALIAS ${target})
  # C++11 at least; CMAKE_CXX_STANDARD, where set, holds.
  target_compile_features(${target} PRIVATE cxx_std_11)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${generator} EXPORT_NAME ${generator})
  if(EMSCRIPTEN)
    # One self-contained .js that writes standard output through the
    # system's own calls, so that a failed write fails the program.
    target_link_options(${target} PRIVATE -sSINGLE_FILE=1 -sNODERAWFS=1)
  endif()
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" OR CMAKE_CXX_COMPILER_FRONTEND_VARIANT STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion)
    # The suite's builds for other machines run under qemu-user without the
    # target's libraries.
    if(HALFTABLES_STATIC)
      target_link_options(${target} PRIVATE -static)
    endif()
  endif()
endforeach()

set(HALFTABLES_INCLUDE_DIR "${PROJECT_BINARY_DIR}/include")
set(checked ${HALFTABLES_GENERATORS})
if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  message(STATUS "halftables: the generators are built for ${CMAKE_SYSTEM_NAME} ${CMAKE_SYSTEM_PROCESSOR} "
    "and not run; checking their tables needs a native build or CMAKE_CROSSCOMPILING_EMULATOR")
  set(checked "")
endif()
set(script "${PROJECT_SOURCE_DIR}/cmake/HalfTablesCheck.cmake")
set(digests "${PROJECT_SOURCE_DIR}/cmake/tables.sha256")
set(tables "")
foreach(generator IN LISTS checked)
  set(table "${HALFTABLES_INCLUDE_DIR}/halftables/${generator}.inc")
  set(committed "${PROJECT_SOURCE_DIR}/include/halftables/${generator}.inc")
  add_custom_command(OUTPUT "${table}"
    COMMAND "${CMAKE_COMMAND}" "-Dcommand=${CMAKE_CROSSCOMPILING_EMULATOR};$<TARGET_FILE:halftables_${generator}>"
      "-Doutput=${table}" "-Dcommitted=${committed}" "-Ddigests=${digests}" -P "${script}"
    DEPENDS halftables_${generator} "${script}" "${committed}" "${digests}"
    COMMENT "Writing ${generator}.inc and checking it against the committed table"
    VERBATIM)
  list(APPEND tables "${table}")
endforeach()
add_custom_target(halftables_tables ALL DEPENDS ${tables})
