# Lunar week calendar: day number to QLW date and back over random days of the range.
tavr_add_bench(bench_qlw SOURCES bench_qlw.cpp LIBS tavr_calendar LOADS_LIBRARIES)
