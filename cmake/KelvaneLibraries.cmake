# kelvane_add_library(NAME [LIBS public...] [PRIVATE_LIBS private...])
# A static library of the current folder's *.cpp, free of Qt, included from the project root.
function(kelvane_add_library name)
  cmake_parse_arguments(ARG "" "" "LIBS;PRIVATE_LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}")
  target_link_libraries(${name} PUBLIC ${ARG_LIBS} PRIVATE ${ARG_PRIVATE_LIBS} kelvane_warnings)
endfunction()

# kelvane_add_window_library(NAME LIBS public...)
# The Qt Widgets windows in the current folder's ui/, with moc. Libraries defined in folders
# added later may be named in LIBS: targets are linked by name.
function(kelvane_add_window_library name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  file(GLOB sources CONFIGURE_DEPENDS
    "${CMAKE_CURRENT_SOURCE_DIR}/ui/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/ui/*.h")
  add_library(${name} STATIC ${sources})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PUBLIC ${ARG_LIBS} Qt6::Widgets PRIVATE kelvane_warnings)
endfunction()
