# The Moon display: the data for a moment (both displays) and the drawn picture.
if(TARGET tavr_moonpicture)
  add_executable(bench_moon ${CMAKE_CURRENT_LIST_DIR}/bench_moon.cpp)
  target_link_libraries(bench_moon PRIVATE tavr_moonpicture benchmark::benchmark)
  set_target_properties(bench_moon PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TAVR_BIN_DIR})
  # The libraries it loads at run time and the pictures it draws on.
  add_dependencies(bench_moon halvor brisel kelmar moon_pictures)
endif()
