# Speed of the astronomy libraries: phase moments with eclipses, the next
# total solar eclipse, delta T and the two longitudes.
add_executable(bench_astro_libs ${CMAKE_CURRENT_LIST_DIR}/bench_astro_libs.cpp)
target_link_libraries(bench_astro_libs PRIVATE benchmark::benchmark halvor brisel halvor_headers brisel_headers)
