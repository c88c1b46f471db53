# The Moon display: the data for a moment (both displays) and the drawn picture,
# with the pictures rendered into bin/.
tavr_add_bench(bench_moon SOURCES bench_moon.cpp LIBS tavr_moonpicture LOADS_LIBRARIES DEPENDS moon_pictures)
