# Cross build for Windows with Debian's mingw-w64 compilers (posix threads), for
# the processor and compiler triplet the including toolchain file sets.
set(CMAKE_C_COMPILER ${TAVR_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVR_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVR_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TAVR_MINGW_TRIPLET})
# A Qt 6 built for this target, when there is one: the window is built too.
if(TAVR_WINDOWS_QT)
  list(APPEND CMAKE_FIND_ROOT_PATH ${TAVR_WINDOWS_QT})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The tests run under wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine CACHE STRING "Runs the Windows test programs")
