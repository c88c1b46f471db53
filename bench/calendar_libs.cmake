# Conversions of the solilunar and triday libraries, next to the plain walks
# that the tests keep as their reference.
tavr_add_bench(bench_calendar_libs SOURCES bench_calendar_libs.cpp LIBS vrslc dtc)
target_include_directories(bench_calendar_libs PRIVATE ${CMAKE_SOURCE_DIR}/calendars/solilunar/tests
                                                       ${CMAKE_SOURCE_DIR}/calendars/triday/tests)
