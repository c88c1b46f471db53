# Speed of the lunar-phase module: lunation of a moment, phase moments, delta T.
tavr_add_bench(bench_lunar_module SOURCES bench_lunar_module.cpp LIBS tavr_astro LOADS_LIBRARIES)
