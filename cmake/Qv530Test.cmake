# One line per test target:
#   qv530_add_test(NAME settings_tests SOURCES a.cpp b.cpp [LIBS extra] [QT] [LABELS l])
# Core tests link only the core, so a Qt include in the core fails to build.
# QT tests get a main that creates the QApplication and run on the offscreen platform.
# A GoogleTest program's skips show as skipped in CTest (tests/run_ctest.sh
# then fails the run), and a program in which no test ran fails.
function(qv530_gtest_verdicts name)
  set_tests_properties(${name} PROPERTIES
    SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]"
    FAIL_REGULAR_EXPRESSION "\\[==========\\] 0 tests from")
endfunction()

function(qv530_add_test)
  cmake_parse_arguments(T "QT" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  qv530_warnings(${T_NAME})
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  if(T_QT)
    target_link_libraries(${T_NAME} PRIVATE qv530_qt_test_main ${T_LIBS} GTest::gtest GTest::gmock)
  else()
    target_link_libraries(${T_NAME} PRIVATE qv530core ${T_LIBS} GTest::gtest_main GTest::gmock)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set(env "QV530_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
  if(T_QT)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 600)
  qv530_gtest_verdicts(${T_NAME})
  if(T_LABELS)
    set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()
