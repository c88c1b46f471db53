# Windows builds with mingw-w64 (cmake/toolchains, presets win32 and win64).
# The five libraries become vrslc.dll, dtc.dll, kelmar.dll, halvor.dll and
# brisel.dll. On 32-bit Windows they export the stdcall names as the callers
# bind them ("_jdn_to_vrslcdate@4"), on 64-bit Windows the plain names; a .def
# file written here lists exactly those, and an import library lets C programs
# link them. Everything is linked statically against the compiler's runtime,
# so that the DLLs and the program import system DLLs only.
if(NOT WIN32)
  function(tavr_windows_exports)
  endfunction()
  return()
endif()

# 32-bit x86: SSE2 arithmetic (doubles rounded to 53 bits at every step).
if(CMAKE_SIZEOF_VOID_P EQUAL 4 AND CMAKE_SYSTEM_PROCESSOR MATCHES "86")
  add_compile_options(-msse2 -mfpmath=sse)
endif()
add_compile_definitions(_USE_MATH_DEFINES)
add_link_options(-static -static-libgcc -static-libstdc++)

find_program(TAVR_DLLTOOL NAMES ${TAVR_MINGW_TRIPLET}-dlltool dlltool REQUIRED)
find_program(TAVR_OBJDUMP NAMES ${TAVR_MINGW_TRIPLET}-objdump objdump REQUIRED)

# The tests run under wine with the DLLs of bin/ on its search path.
if(CMAKE_CROSSCOMPILING)
  set(TAVR_WINE_RUN ${CMAKE_BINARY_DIR}/wine-run)
  file(WRITE ${TAVR_WINE_RUN}
       "#!/bin/sh\n# Runs a program of this build under wine, with bin/ on its DLL search path.\n"
       "WINEPATH=\"Z:${TAVR_BIN_DIR}\" WINEDEBUG=\${WINEDEBUG:--all} exec wine \"$@\"\n")
  file(CHMOD ${TAVR_WINE_RUN} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                          WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TAVR_WINE_RUN})
  # Folders in the Windows form wine maps to this file system.
  list(TRANSFORM TAVR_TEST_ENV REPLACE "^TAVR_LIBDIR=(.*)$" "TAVR_LIBDIR=Z:\\1")
endif()

# GoogleTest from Debian's sources, built with the cross compiler.
if(TAVR_TESTS AND NOT TARGET GTest::gtest)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(TAVR_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources (Debian: libgtest-dev)")
  add_subdirectory(${TAVR_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()

# tavr_windows_exports(TARGET), in the folder that creates the DLL: names it
# without the "lib" prefix, exports exactly the functions of TAVR_EXPORTS_TARGET
# (name:bytes, bytes the size of the arguments) and replaces the linker's
# import library by one whose symbols are those a C caller of the stdcall
# functions refers to. Elsewhere than on Windows it does nothing.
function(tavr_windows_exports target)
  set(def "LIBRARY ${target}.dll\nEXPORTS\n")
  set(imp "LIBRARY ${target}.dll\nEXPORTS\n")
  foreach(entry IN LISTS TAVR_EXPORTS_${target})
    string(REPLACE ":" ";" parts ${entry})
    list(GET parts 0 name)
    list(GET parts 1 bytes)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      string(APPEND def "    _${name}@${bytes} = ${name}@${bytes}\n")
      string(APPEND imp "    ${name}@${bytes} == _${name}@${bytes}\n")
    else()
      string(APPEND def "    ${name}\n")
      string(APPEND imp "    ${name}\n")
    endif()
  endforeach()
  set(dir ${CMAKE_BINARY_DIR}/exports)
  file(WRITE ${dir}/${target}.def "${def}")
  file(WRITE ${dir}/${target}.imp.def "${imp}")
  target_sources(${target} PRIVATE ${dir}/${target}.def)
  set_target_properties(${target} PROPERTIES PREFIX "")
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${TAVR_DLLTOOL} -d ${dir}/${target}.imp.def -D ${target}.dll -l $<TARGET_LINKER_FILE:${target}>
    VERBATIM)
endfunction()

# The export tables of the five libraries (function:bytes of arguments).
set(TAVR_EXPORTS_vrslc
    jdn_to_vrslcdate:4 vrslcdate_to_jdn:4 vrmonth_length:4 is_long_vrslc_year:8 vrslc_datestr_to_vrslc_date:8)
set(TAVR_EXPORTS_dtc
    jdn_to_dtclunar:4 dtclunar_to_jdn:4 dtclunar_valid:4 jdn_to_dtcsolar:4 dtcsolar_to_jdn:4 dtcsolar_valid:4
    num_days_in_month:8 num_tridays_in_12th_month:4 num_tridays_in_4th_quarter:4
    parse_long_lunar_dtc_date:8 parse_short_lunar_dtc_date:8 parse_solar_dtc_date:8)
set(TAVR_EXPORTS_kelmar
    euro_date_to_jdn:4 jdn_to_euro_date:4 euro_day_of_week:4 str_to_date:16 separate_thousands:12
    get_timezone:0 juldat:28)
set(TAVR_EXPORTS_halvor halvor:12 deltat:12 moonpos:16)
set(TAVR_EXPORTS_brisel brisel_app:12)
set(TAVR_EXPORTS_loaderprobe probe_twice:4)

# Called once every library exists: the checks of each DLL's export and
# import tables and of a C program linked with the import libraries.
function(tavr_windows_libraries)
  foreach(lib IN ITEMS vrslc dtc kelmar halvor brisel loaderprobe)
    if(NOT TARGET ${lib})
      continue()
    endif()
    if(NOT TAVR_TESTS OR lib STREQUAL "loaderprobe")
      continue()
    endif()
    set(expected)
    foreach(entry IN LISTS TAVR_EXPORTS_${lib})
      string(REPLACE ":" ";" parts ${entry})
      list(GET parts 0 name)
      list(GET parts 1 bytes)
      if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        list(APPEND expected _${name}@${bytes})
      else()
        list(APPEND expected ${name})
      endif()
    endforeach()
    add_test(NAME ${lib}_dll_tables
      COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${TAVR_OBJDUMP} -DLIBRARY=$<TARGET_FILE:${lib}> "-DEXPECTED=${expected}"
              -P ${CMAKE_SOURCE_DIR}/cmake/windows/CheckDll.cmake)
  endforeach()
  if(TAVR_TESTS)
    add_executable(windows_c_caller ${CMAKE_SOURCE_DIR}/cmake/windows/c_caller.c)
    target_link_libraries(windows_c_caller PRIVATE vrslc dtc kelmar halvor brisel vrslc_headers dtc_headers
                                                   kelmar_headers halvor_headers brisel_headers)
    set_target_properties(windows_c_caller PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TAVR_TEST_DIR})
    add_test(NAME windows_c_caller COMMAND windows_c_caller)
    foreach(exe IN ITEMS tavr180)
      if(TARGET ${exe})
        add_test(NAME ${exe}_imports
          COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${TAVR_OBJDUMP} -DLIBRARY=$<TARGET_FILE:${exe}> -DIMPORTS_ONLY=ON
                  -P ${CMAKE_SOURCE_DIR}/cmake/windows/CheckDll.cmake)
      endif()
    endforeach()
  endif()
endfunction()
