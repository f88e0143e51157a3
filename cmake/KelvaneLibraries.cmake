# kelvane_publish_folder(TARGET)
# Makes the current folder the target's include folder, reached as "folder/File.h" through a
# link in a folder of its own in the build tree rather than through the project root. A target
# then sees the folders of the libraries it links and no others, so an include that runs back
# up the floors does not compile; tests/architecture checks the same for every file.
function(kelvane_publish_folder target)
  get_filename_component(folder "${CMAKE_CURRENT_SOURCE_DIR}" NAME)
  set(root "${PROJECT_BINARY_DIR}/include-roots/${folder}")
  if(NOT IS_SYMLINK "${root}/${folder}")
    file(MAKE_DIRECTORY "${root}")
    file(CREATE_LINK "${CMAKE_CURRENT_SOURCE_DIR}" "${root}/${folder}" SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC "${root}")
endfunction()

# kelvane_add_library(NAME [ROOMS] [LIBS public...] [PRIVATE_LIBS private...])
# A static library of the current folder's *.cpp, free of Qt. With ROOMS the sources are those
# of the folder's sub-folders instead, reached as "folder/room/File.h".
function(kelvane_add_library name)
  cmake_parse_arguments(ARG "ROOMS" "" "LIBS;PRIVATE_LIBS" ${ARGN})
  if(ARG_ROOMS)
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*/*.cpp")
  else()
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  endif()
  add_library(${name} STATIC ${sources})
  kelvane_publish_folder(${name})
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
  kelvane_publish_folder(${name})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS} Qt6::Widgets PRIVATE kelvane_warnings)
  kelvane_precompile_headers(${name} windows)
endfunction()
