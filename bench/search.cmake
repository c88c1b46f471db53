# Speed of the searches: the next total solar eclipse from random moments, the
# coincidence search from the worst starting points, the events of one year.
if(TARGET tavr_cli)
  add_executable(bench_search ${CMAKE_CURRENT_LIST_DIR}/bench_search.cpp)
  target_link_libraries(bench_search PRIVATE tavr_cli benchmark::benchmark)
  set_target_properties(bench_search PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TAVR_BIN_DIR})
  foreach(lib IN ITEMS vrslc dtc halvor kelmar brisel)
    if(TARGET ${lib})
      add_dependencies(bench_search ${lib})
    endif()
  endforeach()
endif()
