# Calendar core: each calendar's conversions in both directions over random
# days of the accepted range, and all the calendar rows of one moment.
if(TARGET tavr_calendar)
  add_executable(bench_calendar_core ${CMAKE_CURRENT_LIST_DIR}/bench_calendar_core.cpp)
  target_link_libraries(bench_calendar_core PRIVATE tavr_calendar benchmark::benchmark)
  set_target_properties(bench_calendar_core PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TAVR_BIN_DIR})
  # The libraries it loads by name at run time.
  foreach(lib IN ITEMS kelmar vrslc dtc halvor)
    if(TARGET ${lib})
      add_dependencies(bench_calendar_core ${lib})
    endif()
  endforeach()
endif()
