# Helpers shared by the subsystem folders.

# One layer of the program as a static library, its sources listed by the
# folder's CMakeLists.txt. Its headers are reached as "<folder>/<file>.h"
# through an include root that holds this folder alone, so a layer sees its
# own headers and those of the layers it links, and an include of a layer
# above it does not build. PUBLIC: what its headers include; PRIVATE: what
# only its sources use.
#   z4_add_layer(<target> <folder> SOURCES <files...> [PUBLIC <targets...>]
#                [PRIVATE <targets...>])
function(z4_add_layer target folder)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  set(_root ${CMAKE_BINARY_DIR}/layers/${folder})
  file(MAKE_DIRECTORY ${_root})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${_root}/${folder} RESULT _linked SYMBOLIC)
  if(NOT _linked EQUAL 0)
    # Without links (a Windows account that may not make them) the layers
    # build as one, unchecked.
    message(STATUS "${folder}: no include root of its own (${_linked}); layers not checked")
    set(_root ${CMAKE_SOURCE_DIR})
  endif()
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${_root})
  target_link_libraries(${target} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
endfunction()

# The tests check the program's log lines, which a normal run keeps quiet.
set(Z4_TEST_LOG_RULES "QT_LOGGING_RULES=z4.*.debug=true")

# One QtTest executable per tst_*.cpp file of the calling folder, each a
# CTest test that runs headless.
#   z4_add_qtests(LIBS <targets...> [LABELS <labels...>] [TIMEOUT <s>])
function(z4_add_qtests)
  cmake_parse_arguments(ARG "" "TIMEOUT" "LIBS;LABELS;EXTRA_SOURCES" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  file(GLOB _tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
  foreach(_src IN LISTS _tests)
    get_filename_component(_name ${_src} NAME_WE)
    add_executable(${_name} ${_src} ${ARG_EXTRA_SOURCES})
    target_link_libraries(${_name} PRIVATE Qt6::Test ${ARG_LIBS})
    target_include_directories(${_name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
    target_compile_definitions(${_name} PRIVATE Z4_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
    set_target_properties(${_name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
    add_test(NAME ${_name} COMMAND ${_name} WORKING_DIRECTORY ${Z4_BIN_DIR})
    set_tests_properties(${_name} PROPERTIES
      TIMEOUT ${ARG_TIMEOUT}
      LABELS "${ARG_LABELS}"
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QUICK_BACKEND=software;Z4_BIN_DIR=${Z4_BIN_DIR};Z4_SOURCE_DIR=${CMAKE_SOURCE_DIR};${Z4_TEST_LOG_RULES}")
  endforeach()
endfunction()

# A CTest test that builds Qt-free Windows sources with MinGW-w64 where it is
# installed, and counts as skipped where it is not (cmake/win_crosscheck.cmake).
# A Windows build compiles them natively, so there is no test there.
#   z4_add_win_crosscheck(<test name> WHAT <text> EXE <file.exe>
#                         SOURCES <paths under the source root...> [LABELS <labels...>])
function(z4_add_win_crosscheck name)
  cmake_parse_arguments(ARG "" "WHAT;EXE" "SOURCES;LABELS" ${ARGN})
  if(WIN32)
    return()
  endif()
  string(JOIN "," _sources ${ARG_SOURCES})
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
            -DOUTPUT_DIR=${CMAKE_CURRENT_BINARY_DIR}/win_crosscheck
            -DEXE=${ARG_EXE} "-DWHAT=${ARG_WHAT}" -DSOURCES=${_sources}
            -P ${CMAKE_SOURCE_DIR}/cmake/win_crosscheck.cmake)
  set_tests_properties(${name} PROPERTIES
    LABELS "${ARG_LABELS}" TIMEOUT 120 SKIP_REGULAR_EXPRESSION "SKIPPED")
endfunction()

# A Qt Quick Test runner built from <runner>.cpp of the calling folder, and
# one CTest per tst_*.qml file there, named <prefix><file>, run headless from
# bin/ so that the skin pictures load as in the program.
#   z4_add_qml_tests(<runner> PREFIX <prefix>)
function(z4_add_qml_tests runner)
  cmake_parse_arguments(ARG "" "PREFIX" "" ${ARGN})
  add_executable(${runner} ${runner}.cpp)
  target_link_libraries(${runner} PRIVATE Qt6::QuickTest Qt6::Quick Qt6::Qml z4qml)
  set_target_properties(${runner} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)

  file(GLOB _qml_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.qml)
  foreach(_file IN LISTS _qml_tests)
    get_filename_component(_name ${_file} NAME_WE)
    set(_test ${ARG_PREFIX}${_name})
    add_test(NAME ${_test} COMMAND ${runner} -input ${_file} WORKING_DIRECTORY ${Z4_BIN_DIR})
    # A test case gated on a condition that never holds is skipped without a
    # failure; treat any skip, or a run without passes, as a failure.
    set_tests_properties(${_test} PROPERTIES
      TIMEOUT 120
      LABELS "qml"
      FAIL_REGULAR_EXPRESSION "[1-9][0-9]* skipped;Totals: 0 passed"
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QUICK_BACKEND=software;Z4_BIN_DIR=${Z4_BIN_DIR};Z4_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
  endforeach()
endfunction()
