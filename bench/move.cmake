# Moves: one step of each of the twenty kinds with the whole display (the nine
# rows, the time label, the Moon data and picture, delta T).
tavr_add_bench(bench_move SOURCES bench_move.cpp LIBS tavr_session tavr_moonpicture LOADS_LIBRARIES
               DEPENDS moon_pictures)
