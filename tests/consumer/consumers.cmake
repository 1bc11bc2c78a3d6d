# SPDX-License-Identifier: MIT
#
# add_table_consumers(<name> <tables>)
#
# The consumer checks as tests <name>_cpp and <name>_c, built against the
# tables that the target <tables> puts on the include path: the C++ program
# with warnings as errors, the C one as strict C99.
function(add_table_consumers name tables)
  set(sources "${CMAKE_CURRENT_FUNCTION_LIST_DIR}")

  add_executable(${name}_cpp "${sources}/consumer.cpp")
  target_link_libraries(${name}_cpp PRIVATE ${tables})
  set_target_properties(${name}_cpp PROPERTIES CXX_STANDARD 17 CXX_STANDARD_REQUIRED ON CXX_EXTENSIONS OFF)
  target_compile_options(${name}_cpp PRIVATE -Wall -Wextra -Wpedantic -Wconversion -Werror)
  add_test(NAME ${name}_cpp COMMAND ${name}_cpp)

  add_executable(${name}_c "${sources}/consumer.c")
  target_link_libraries(${name}_c PRIVATE ${tables})
  set_target_properties(${name}_c PROPERTIES C_STANDARD 99 C_STANDARD_REQUIRED ON C_EXTENSIONS OFF)
  target_compile_options(${name}_c PRIVATE -pedantic -Wall -Werror)
  add_test(NAME ${name}_c COMMAND ${name}_c)
endfunction()
