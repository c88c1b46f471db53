# Speed of the searches: the next total solar eclipse from random moments, the
# coincidence search from the worst starting points, the events of one year.
tavr_add_bench(bench_search SOURCES bench_search.cpp LIBS tavr_cli LOADS_LIBRARIES)
