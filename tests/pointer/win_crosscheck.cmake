# Compiles and links the Windows pointer settings with MinGW-w64, when it is
# installed (g++-mingw-w64-x86-64-win32): Debian has no MinGW build of Qt, so
# only the Qt-free Win32 layer can be checked here.
#   cmake -DSOURCE_DIR=... -DOUTPUT_DIR=... -P win_crosscheck.cmake
find_program(MINGW_CXX NAMES x86_64-w64-mingw32-g++-win32 x86_64-w64-mingw32-g++)
if(NOT MINGW_CXX)
  message("MinGW-w64 g++ is not installed: Windows cross-check SKIPPED")
  return()
endif()
file(MAKE_DIRECTORY ${OUTPUT_DIR})
execute_process(
  COMMAND ${MINGW_CXX} -std=c++20 -Wall -Wextra -Wpedantic -Werror -I${SOURCE_DIR}
          ${SOURCE_DIR}/backend/pointer/pointer_settings_win.cpp
          ${SOURCE_DIR}/tests/pointer/win_crosscheck_main.cpp
          -luser32 -o ${OUTPUT_DIR}/pointer_settings_win.exe
  RESULT_VARIABLE _rc)
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "Windows pointer settings do not build with ${MINGW_CXX}")
endif()
message("Windows pointer settings build with ${MINGW_CXX}")
