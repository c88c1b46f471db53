# Speed of the local circumstances of eclipses: the next visible eclipse from a
# place, and events --at over 200 years in process.
if(TARGET tavr_astro)
  add_executable(bench_local_eclipse ${CMAKE_CURRENT_LIST_DIR}/bench_local_eclipse.cpp)
  target_link_libraries(bench_local_eclipse PRIVATE tavr_astro benchmark::benchmark)
  set_target_properties(bench_local_eclipse PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TAVR_BIN_DIR})
  add_dependencies(bench_local_eclipse halvor kelmar)
endif()
if(TARGET tavr_cli)
  add_executable(bench_cli_local ${CMAKE_CURRENT_LIST_DIR}/bench_cli_local.cpp)
  target_link_libraries(bench_cli_local PRIVATE tavr_cli benchmark::benchmark)
  set_target_properties(bench_cli_local PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TAVR_BIN_DIR})
  add_dependencies(bench_cli_local vrslc dtc kelmar halvor brisel)
endif()
