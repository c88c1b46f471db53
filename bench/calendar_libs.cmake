# Conversions of the solilunar and triday libraries, next to the plain walks
# that the tests keep as their reference.
add_executable(bench_calendar_libs ${CMAKE_CURRENT_LIST_DIR}/bench_calendar_libs.cpp)
target_link_libraries(bench_calendar_libs PRIVATE vrslc dtc benchmark::benchmark)
target_include_directories(bench_calendar_libs PRIVATE ${CMAKE_SOURCE_DIR}/calendars/solilunar/tests
                                                       ${CMAKE_SOURCE_DIR}/calendars/triday/tests)
