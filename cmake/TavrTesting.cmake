# Helpers that register tests with CTest. Test programs live in tests/ of the
# build tree; they find the shared libraries through TAVR_LIBDIR and never
# touch the user's files (HOME and the XDG folders point into the build tree).

set(TAVR_TEST_HOME ${CMAKE_BINARY_DIR}/test-home)
set(TAVR_TEST_ENV
    "TAVR_LIBDIR=${TAVR_BIN_DIR}"
    "HOME=${TAVR_TEST_HOME}"
    "XDG_CONFIG_HOME=${TAVR_TEST_HOME}/.config"
    "XDG_DATA_HOME=${TAVR_TEST_HOME}/.local/share"
    "QT_QPA_PLATFORM=offscreen"
    "TZ=UTC")

# tavr_add_gtest(NAME SOURCES a.cpp b.cpp LIBS x y [LABELS l])
function(tavr_add_gtest name)
  if(NOT TAVR_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main ${T_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TAVR_TEST_DIR})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${TAVR_TEST_ENV}" LABELS "${T_LABELS}")
endfunction()

# tavr_add_qtest(NAME SOURCES a.cpp LIBS x y): a Qt Test program, run offscreen,
# labelled "window" (ctest -L window runs the window tests alone).
function(tavr_add_qtest name)
  if(NOT TAVR_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON RUNTIME_OUTPUT_DIRECTORY ${TAVR_TEST_DIR})
  target_link_libraries(${name} PRIVATE Qt6::Test Qt6::Widgets ${T_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  # A window saves its state on closing and reads it at start-up: each window
  # program keeps it in a data folder of its own, emptied before the run.
  set(env ${TAVR_TEST_ENV})
  list(FILTER env EXCLUDE REGEX "^XDG_DATA_HOME=")
  list(APPEND env "XDG_DATA_HOME=${TAVR_TEST_HOME}/window-data/${name}")
  get_property(cleaner GLOBAL PROPERTY TAVR_WINDOW_DATA_CLEANER)
  if(NOT cleaner)
    set_property(GLOBAL PROPERTY TAVR_WINDOW_DATA_CLEANER ON)
    add_test(NAME window_data_clean COMMAND ${CMAKE_COMMAND} -E rm -rf ${TAVR_TEST_HOME}/window-data)
    set_tests_properties(window_data_clean PROPERTIES FIXTURES_SETUP window_data LABELS window)
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" LABELS "window;${T_LABELS}"
                                          FIXTURES_REQUIRED window_data)
endfunction()
