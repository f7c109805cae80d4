# Compiles and links the Windows capture source (low-level hooks) with the
# key translation under MinGW-w64 when it is installed: Debian has no MinGW
# build of Qt, so only this Qt-free part can be checked here.
#   cmake -DSOURCE_DIR=... -DOUTPUT_DIR=... -P win_crosscheck.cmake
find_program(MINGW_CXX NAMES x86_64-w64-mingw32-g++-win32 x86_64-w64-mingw32-g++)
if(NOT MINGW_CXX)
  message("MinGW-w64 g++ is not installed: Windows cross-check SKIPPED")
  return()
endif()
file(MAKE_DIRECTORY ${OUTPUT_DIR})
execute_process(
  COMMAND ${MINGW_CXX} -std=c++20 -Wall -Wextra -Wpedantic -Werror -I${SOURCE_DIR}
          ${SOURCE_DIR}/macro/capture/input_hook.cpp
          ${SOURCE_DIR}/macro/capture/key_event_source_win.cpp
          ${SOURCE_DIR}/tests/macro/win_crosscheck_main.cpp
          -luser32 -o ${OUTPUT_DIR}/input_hook_win.exe
  RESULT_VARIABLE _rc)
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "Windows capture source does not build with ${MINGW_CXX}")
endif()
message("Windows capture source builds with ${MINGW_CXX}")
