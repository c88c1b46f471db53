# Lunar week calendar: day number to QLW date and back over random days of the range.
if(TARGET tavr_calendar)
  add_executable(bench_qlw ${CMAKE_CURRENT_LIST_DIR}/bench_qlw.cpp)
  target_link_libraries(bench_qlw PRIVATE tavr_calendar benchmark::benchmark)
  set_target_properties(bench_qlw PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TAVR_BIN_DIR})
  add_dependencies(bench_qlw kelmar halvor)
endif()
