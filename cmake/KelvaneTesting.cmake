find_package(GTest REQUIRED)
include(GoogleTest)

# kelvane_add_test(NAME SOURCES... LIBS libs...)
# Builds one GoogleTest program and registers each of its tests with CTest.
# Fixture folders are found through KELVANE_TEST_DATA_DIR, never the working directory.
function(kelvane_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main kelvane_warnings)
  target_compile_definitions(${name} PRIVATE
    KELVANE_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
    KELVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()

# kelvane_add_qt_test(NAME SOURCES... LIBS libs...)
# Builds one Qt Test program (a window test) and registers it with CTest on the offscreen
# platform, so it needs no display.
function(kelvane_add_qt_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  find_package(Qt6 REQUIRED COMPONENTS Test Widgets)
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test Qt6::Widgets kelvane_warnings)
  target_compile_definitions(${name} PRIVATE
    KELVANE_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
    KELVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
