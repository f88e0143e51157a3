# Every target of the project compiles with the same strict warnings, treated as errors.
add_library(kelvane_warnings INTERFACE)
target_compile_options(kelvane_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual
  -Wimplicit-fallthrough -Werror)

# GCC 12 reports false -Wrestrict overlaps inside std::string concatenation at -O3.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(kelvane_warnings INTERFACE -Wno-restrict)
endif()
