cmake_minimum_required(VERSION 3.25)
# The layering check must fail on the fixture tree beside this file, listing
# exactly its forbidden includes and none of its allowed ones:
#   cmake -DCHECK=<CheckLayering.cmake> -P CheckLayeringFixture.cmake
set(fixture ${CMAKE_CURRENT_LIST_DIR}/fixture)
set(expected
  "runtime/Base.h: includes runtime/db/Query.h (runtime/ is below runtime/db)"
  "runtime/Base.h: includes grid/Grid.h (runtime may not use grid)"
  "runtime/extra/Stray.h: its folder runtime/extra is not in the order of runtime"
  "runtime/controls/Button.h: includes runtime/db/Query.h (runtime/controls and runtime/db include each other: runtime/db/Query.h: includes runtime/controls/Panel.h)")

execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${fixture} -DLAYERS=${fixture}/Layers.cmake -P ${CHECK}
                RESULT_VARIABLE result ERROR_VARIABLE output OUTPUT_VARIABLE stdout)
if(result EQUAL 0)
  message(FATAL_ERROR "the check passed a tree with forbidden includes:\n${output}")
endif()
string(REGEX MATCHALL "[^\n]+: [^\n]+" reported "${output}")
list(FILTER reported EXCLUDE REGEX "^CMake Error|^  layering:")
list(SORT reported)
list(SORT expected)
if(NOT reported STREQUAL expected)
  string(REPLACE ";" "\n" reported_lines "${reported}")
  string(REPLACE ";" "\n" expected_lines "${expected}")
  message(FATAL_ERROR "the check reported\n${reported_lines}\ninstead of\n${expected_lines}\n(full output:\n${output})")
endif()
