# Speed of the local circumstances of eclipses: the next visible eclipse from a
# place, and events --at over 200 years in process.
tavr_add_bench(bench_local_eclipse SOURCES bench_local_eclipse.cpp LIBS tavr_astro LOADS_LIBRARIES)
tavr_add_bench(bench_cli_local SOURCES bench_cli_local.cpp LIBS tavr_cli LOADS_LIBRARIES)
