# SPDX-License-Identifier: MIT
# half_tables_generate(<generator> <output>)
#
# Adds the build rule that runs <generator> (an executable target: widen or
# rebias here, HalfTables::widen or HalfTables::rebias after find_package)
# and saves its table as <output>; list <output> among a target's sources
# and the table is written before that target is compiled. The text goes to a
# temporary file first and is renamed only once the generator has succeeded:
# a failed or interrupted run (a full disk, say) leaves no half-written table
# that a later build would take as up to date.
function(half_tables_generate generator output)
  cmake_path(GET output PARENT_PATH directory)
  add_custom_command(
    OUTPUT "${output}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${directory}"
    COMMAND ${generator} > "${output}.tmp"
    COMMAND "${CMAKE_COMMAND}" -E rename "${output}.tmp" "${output}"
    DEPENDS ${generator}
    COMMENT "Writing ${output}"
    VERBATIM)
endfunction()
