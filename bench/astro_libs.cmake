# Speed of the astronomy libraries: phase moments with eclipses, the next
# total solar eclipse, delta T and the two longitudes.
tavr_add_bench(bench_astro_libs SOURCES bench_astro_libs.cpp LIBS halvor brisel halvor_headers brisel_headers)
