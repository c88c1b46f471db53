# Checks that a shared library exports exactly the expected functions.
#   cmake -DNM=<nm> -DLIBRARY=<file> -DEXPECTED=name1,name2,... -P CheckExports.cmake
execute_process(COMMAND ${NM} -D --defined-only --format=posix ${LIBRARY}
                OUTPUT_VARIABLE listing RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${LIBRARY}: ${err}")
endif()

string(REPLACE "\n" ";" lines "${listing}")
set(found "")
foreach(line IN LISTS lines)
  if(line MATCHES "^([^ ]+) ")
    list(APPEND found ${CMAKE_MATCH_1})
  endif()
endforeach()
string(REPLACE "," ";" expected "${EXPECTED}")
list(SORT found)
list(SORT expected)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "${LIBRARY} exports\n  ${found}\nexpected exactly\n  ${expected}")
endif()
list(LENGTH found count)
message(STATUS "${LIBRARY}: exactly the ${count} expected exports")
