# Every target of the project compiles with the same strict warnings, treated as errors.
add_library(kelvane_warnings INTERFACE)
target_compile_options(kelvane_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual
  -Wimplicit-fallthrough -Werror)
