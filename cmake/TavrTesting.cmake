# Registration of the test programs with CTest. Test programs live in tests/ of
# the build tree; they find the shared libraries through TAVR_LIBDIR and never
# touch the user's files (HOME and the XDG folders point into the build tree).

set(TAVR_TEST_HOME ${CMAKE_BINARY_DIR}/test-home)
set(TAVR_TEST_ENV
    "TAVR_LIBDIR=${TAVR_BIN_DIR}"
    "HOME=${TAVR_TEST_HOME}"
    "XDG_CONFIG_HOME=${TAVR_TEST_HOME}/.config"
    "XDG_DATA_HOME=${TAVR_TEST_HOME}/.local/share"
    "QT_QPA_PLATFORM=offscreen"
    "TZ=UTC")

# The shared libraries the program loads by name at run time.
set(TAVR_LOADED_LIBRARIES vrslc dtc kelmar halvor brisel)

# tavr_add_test(NAME SOURCES a.cpp ... [LIBS x ...] [QT] [LOADS_LIBRARIES]
#               [DEPENDS t ...] [DEFINITIONS D=v ...] [LABELS l ...])
#   One test program. GoogleTest by default, each of its tests one CTest test;
#   QT: a Qt Test program, one CTest test, run offscreen and labelled "window"
#   (ctest -L window runs the window tests alone).
#   LOADS_LIBRARIES: the program loads the shared libraries by name, so they
#   are built before it; DEPENDS: other targets it needs built (programs it
#   starts, pictures it reads); DEFINITIONS: compile definitions.
# tavr_add_test(PREFIX EACH tests/*_tests.cpp ...)
#   One such program per file that matches, named PREFIX_<file stem>, each
#   with SOURCES added to its file and the other arguments as given.
function(tavr_add_test name)
  if(NOT TAVR_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "QT;LOADS_LIBRARIES" "EACH" "SOURCES;LIBS;DEPENDS;DEFINITIONS;LABELS" ${ARGN})
  if(T_EACH)
    set(flags)
    foreach(flag IN ITEMS QT LOADS_LIBRARIES)
      if(T_${flag})
        list(APPEND flags ${flag})
      endif()
    endforeach()
    file(GLOB files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${T_EACH})
    foreach(f IN LISTS files)
      get_filename_component(stem ${f} NAME_WE)
      tavr_add_test(${name}_${stem} ${flags} SOURCES ${f} ${T_SOURCES} LIBS ${T_LIBS} DEPENDS ${T_DEPENDS}
                    DEFINITIONS ${T_DEFINITIONS} LABELS ${T_LABELS})
    endforeach()
    return()
  endif()

  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TAVR_TEST_DIR})
  if(T_DEFINITIONS)
    target_compile_definitions(${name} PRIVATE ${T_DEFINITIONS})
  endif()
  if(T_LOADS_LIBRARIES)
    list(APPEND T_DEPENDS ${TAVR_LOADED_LIBRARIES})
  endif()
  if(T_DEPENDS)
    add_dependencies(${name} ${T_DEPENDS})
  endif()

  if(NOT T_QT)
    target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main ${T_LIBS})
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "${TAVR_TEST_ENV}" LABELS "${T_LABELS}")
    return()
  endif()

  set_target_properties(${name} PROPERTIES AUTOMOC ON)
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
