# tavr_glob_tests(PREFIX LIBS ...): one GoogleTest program per tests/*_tests.cpp
# of the current folder, named PREFIX_<file stem>.
function(tavr_glob_tests prefix)
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*_tests.cpp)
  foreach(t IN LISTS tests)
    get_filename_component(stem ${t} NAME_WE)
    tavr_add_gtest(${prefix}_${stem} SOURCES ${t} LIBS ${ARGN})
  endforeach()
endfunction()
