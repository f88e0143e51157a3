find_package(GTest REQUIRED)
include(GoogleTest)

# kelvane_add_test(NAME SOURCES... LIBS libs...)
# Builds one GoogleTest program and registers each of its tests with CTest. Files of the
# project are found through KELVANE_SOURCE_DIR, never the working directory.
function(kelvane_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main kelvane_warnings)
  target_compile_definitions(${name} PRIVATE KELVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  # A test that waits for ever (on a named pipe, say) fails after ten minutes instead of
  # holding up the run.
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 600)
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
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# kelvane_add_test_folder(FOLDER [WINDOWS] [LIBS libs...] [RUNS MACRO PROGRAM])
# Registers the tests in tests/FOLDER: one GoogleTest program kelvane_FOLDER_tests of all its
# *.cpp or, with WINDOWS, one Qt Test program per *Test.cpp, each with the folder's support/
# files. RUNS names a program the tests start as a child process: it is built first, and its
# path reaches the tests as MACRO.
function(kelvane_add_test_folder folder)
  cmake_parse_arguments(ARG "WINDOWS" "" "LIBS;RUNS" ${ARGN})
  set(dir "${CMAKE_CURRENT_SOURCE_DIR}/${folder}")
  if(ARG_WINDOWS)
    file(GLOB sources CONFIGURE_DEPENDS "${dir}/*Test.cpp")
    file(GLOB support CONFIGURE_DEPENDS "${dir}/support/*.cpp" "${dir}/support/*.h")
  else()
    file(GLOB sources CONFIGURE_DEPENDS "${dir}/*.cpp")
  endif()
  if(NOT sources)
    message(FATAL_ERROR "tests/${folder} holds no tests to register")
  endif()

  set(targets)
  if(ARG_WINDOWS)
    foreach(source IN LISTS sources)
      get_filename_component(name "${source}" NAME_WE)
      kelvane_add_qt_test(${name} SOURCES "${source}" ${support} LIBS ${ARG_LIBS})
      list(APPEND targets ${name})
    endforeach()
  else()
    set(targets kelvane_${folder}_tests)
    kelvane_add_test(${targets} SOURCES ${sources} LIBS ${ARG_LIBS})
  endif()

  if(ARG_RUNS)
    list(GET ARG_RUNS 0 macro)
    list(GET ARG_RUNS 1 program)
    foreach(target IN LISTS targets)
      target_compile_definitions(${target} PRIVATE ${macro}="$<TARGET_FILE:${program}>")
      add_dependencies(${target} ${program})
    endforeach()
  endif()
endfunction()
