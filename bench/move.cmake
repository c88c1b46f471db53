# Moves: one step of each of the twenty kinds with the whole display (the nine
# rows, the time label, the Moon data and picture, delta T).
if(TARGET tavr_session AND TARGET tavr_moonpicture)
  add_executable(bench_move ${CMAKE_CURRENT_LIST_DIR}/bench_move.cpp)
  target_link_libraries(bench_move PRIVATE tavr_session tavr_moonpicture benchmark::benchmark)
  set_target_properties(bench_move PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TAVR_BIN_DIR})
  add_dependencies(bench_move vrslc dtc kelmar halvor brisel moon_pictures)
endif()
