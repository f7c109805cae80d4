# Compiles and links Qt-free Windows sources with MinGW-w64 when it is
# installed (g++-mingw-w64-x86-64-win32): Debian has no MinGW build of Qt, so
# only the Win32 layers can be checked here. Added by z4_add_win_crosscheck.
#   cmake -DSOURCE_DIR=... -DOUTPUT_DIR=... -DEXE=<name>.exe -DWHAT=<text>
#         -DSOURCES=<paths under SOURCE_DIR, comma-separated> -P win_crosscheck.cmake
find_program(MINGW_CXX NAMES x86_64-w64-mingw32-g++-win32 x86_64-w64-mingw32-g++)
if(NOT MINGW_CXX)
  message("MinGW-w64 g++ is not installed: Windows cross-check SKIPPED")
  return()
endif()
string(REPLACE "," ";" _sources "${SOURCES}")
list(TRANSFORM _sources PREPEND ${SOURCE_DIR}/)
file(MAKE_DIRECTORY ${OUTPUT_DIR})
execute_process(
  COMMAND ${MINGW_CXX} -std=c++20 -Wall -Wextra -Wpedantic -Werror -I${SOURCE_DIR}
          ${_sources} -luser32 -o ${OUTPUT_DIR}/${EXE}
  RESULT_VARIABLE _rc)
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "${WHAT}: does not build with ${MINGW_CXX}")
endif()
message("${WHAT}: builds with ${MINGW_CXX}")
