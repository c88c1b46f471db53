# Calendar core: each calendar's conversions in both directions over random
# days of the accepted range, and all the calendar rows of one moment.
tavr_add_bench(bench_calendar_core SOURCES bench_calendar_core.cpp LIBS tavr_calendar LOADS_LIBRARIES)
