# Speed of the lunar-phase module: lunation of a moment, phase moments, delta T.
if(TARGET tavr_astro)
  add_executable(bench_lunar_module ${CMAKE_CURRENT_LIST_DIR}/bench_lunar_module.cpp)
  target_link_libraries(bench_lunar_module PRIVATE tavr_astro benchmark::benchmark)
  set_target_properties(bench_lunar_module PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TAVR_BIN_DIR})
  # The libraries it loads at run time.
  foreach(lib IN ITEMS halvor kelmar)
    if(TARGET ${lib})
      add_dependencies(bench_lunar_module ${lib})
    endif()
  endforeach()
endif()
