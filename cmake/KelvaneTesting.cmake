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
  kelvane_precompile_headers(${name} tests)
  # A test that waits for ever (on a named pipe, say) fails after ten minutes instead of
  # holding up the run.
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 600)
endfunction()

# kelvane_add_window_tests(FOLDER LIBS libs...)
# The window tests of tests/FOLDER: one Qt Test program kelvane_FOLDER_ROOM_tests for each of
# its sub-folders (support/ aside), holding that room's *Test.cpp, each file one test class of
# the file's name. CTest runs every class on its own, in a process of its own, on the offscreen
# platform, so it needs no display. support/*.cpp make a static library every program links:
# the main that picks the class, and what the tests share.
function(kelvane_add_window_tests folder)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  find_package(Qt6 REQUIRED COMPONENTS Test Widgets)
  set(dir "${CMAKE_CURRENT_SOURCE_DIR}/${folder}")
  file(GLOB support CONFIGURE_DEPENDS "${dir}/support/*.cpp" "${dir}/support/*.h")
  set(support_library kelvane_${folder}_test_support)
  add_library(${support_library} STATIC ${support})
  target_link_libraries(${support_library} PUBLIC ${ARG_LIBS} Qt6::Test Qt6::Widgets
    PRIVATE kelvane_warnings)
  kelvane_precompile_headers(${support_library} window_tests)

  set(targets)
  file(GLOB rooms LIST_DIRECTORIES true "${dir}/*")
  foreach(room IN LISTS rooms)
    get_filename_component(room_name "${room}" NAME)
    if(NOT IS_DIRECTORY "${room}" OR room_name STREQUAL "support")
      continue()
    endif()
    file(GLOB sources CONFIGURE_DEPENDS "${room}/*Test.cpp")
    set(target kelvane_${folder}_${room_name}_tests)
    add_executable(${target} ${sources})
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
    target_link_libraries(${target} PRIVATE ${support_library} kelvane_warnings)
    kelvane_precompile_headers(${target} window_tests)
    foreach(source IN LISTS sources)
      get_filename_component(test_class "${source}" NAME_WE)
      add_test(NAME ${test_class} COMMAND ${target} ${test_class})
      set_tests_properties(${test_class} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    endforeach()
    list(APPEND targets ${target})
  endforeach()
  if(NOT targets)
    message(FATAL_ERROR "tests/${folder} holds no window tests to register")
  endif()
endfunction()

# kelvane_add_test_folder(FOLDER [LIBS libs...] [RUNS MACRO PROGRAM])
# Registers the tests in tests/FOLDER: one GoogleTest program kelvane_FOLDER_tests of all its
# *.cpp. RUNS names a program the tests start as a child process: it is built first, and its
# path reaches the tests as MACRO.
function(kelvane_add_test_folder folder)
  cmake_parse_arguments(ARG "" "" "LIBS;RUNS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp")
  if(NOT sources)
    message(FATAL_ERROR "tests/${folder} holds no tests to register")
  endif()
  set(target kelvane_${folder}_tests)
  kelvane_add_test(${target} SOURCES ${sources} LIBS ${ARG_LIBS})
  if(ARG_RUNS)
    list(GET ARG_RUNS 0 macro)
    list(GET ARG_RUNS 1 program)
    target_compile_definitions(${target} PRIVATE ${macro}="$<TARGET_FILE:${program}>")
    add_dependencies(${target} ${program})
  endif()
endfunction()
