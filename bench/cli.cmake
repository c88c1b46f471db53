# The command line: its start beside that of `date` (the ratio of the two),
# the throughput of convert --batch, with a check that 100,000 batch lines
# give exactly the results of 100,000 single calls, and the peak memory of
# long outputs.
if(TARGET tavr180 AND TARGET tavr_cli)
  add_executable(bench_cli_start ${CMAKE_CURRENT_LIST_DIR}/bench_cli_start.cpp)
  target_link_libraries(bench_cli_start PRIVATE benchmark::benchmark)
  target_compile_definitions(bench_cli_start PRIVATE TAVR_PROGRAM="$<TARGET_FILE:tavr180>")
  set_target_properties(bench_cli_start PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TAVR_BIN_DIR})
  add_dependencies(bench_cli_start tavr180 vrslc dtc kelmar halvor brisel)

  add_executable(bench_cli_batch ${CMAKE_CURRENT_LIST_DIR}/bench_cli_batch.cpp)
  target_link_libraries(bench_cli_batch PRIVATE tavr_cli Qt6::Core benchmark::benchmark)
  set_target_properties(bench_cli_batch PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TAVR_BIN_DIR})
  add_dependencies(bench_cli_batch vrslc dtc kelmar halvor brisel)

  add_executable(bench_cli_stream ${CMAKE_CURRENT_LIST_DIR}/bench_cli_stream.cpp)
  target_link_libraries(bench_cli_stream PRIVATE benchmark::benchmark)
  target_compile_definitions(bench_cli_stream PRIVATE TAVR_PROGRAM="$<TARGET_FILE:tavr180>")
  set_target_properties(bench_cli_stream PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TAVR_BIN_DIR})
  add_dependencies(bench_cli_stream tavr180 vrslc dtc kelmar halvor brisel)
endif()
