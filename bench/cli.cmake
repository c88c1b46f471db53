# The command line: its start beside that of `date` (the ratio of the two),
# the throughput of convert --batch, with a check that 100,000 batch lines
# give exactly the results of 100,000 single calls, and the peak memory of
# long outputs.
foreach(name IN ITEMS bench_cli_start bench_cli_stream)
  tavr_add_bench(${name} SOURCES ${name}.cpp LOADS_LIBRARIES DEPENDS tavr180
                 DEFINITIONS TAVR_PROGRAM="$<TARGET_FILE:tavr180>")
endforeach()
tavr_add_bench(bench_cli_batch SOURCES bench_cli_batch.cpp LIBS tavr_cli Qt6::Core LOADS_LIBRARIES)
