# Precompiled headers for the targets whose files spend most of their time in headers from
# outside the project: the tests (GoogleTest, Qt Test) and the Qt Widgets code. Each kind of
# target has a list of the headers its files include most; a small target of the kind compiles
# them once and every target of that kind reuses the result. No header of ours goes in, so a
# change of ours never rebuilds them, and a file still includes what it uses.

set(KELVANE_STD_HEADERS
  <algorithm> <array> <cstdint> <filesystem> <functional> <map> <memory> <optional> <set>
  <span> <string> <string_view> <unordered_map> <utility> <vector>)
set(KELVANE_QT_HEADERS
  <QAction> <QApplication> <QComboBox> <QDialog> <QHBoxLayout> <QHeaderView> <QLabel>
  <QLineEdit> <QMenu> <QPlainTextEdit> <QPushButton> <QTableView> <QTableWidget>
  <QToolButton> <QVBoxLayout> <QWidget>)

# The headers, and the libraries whose flags they are compiled with, per kind: GoogleTest
# programs, Qt Widgets code and Qt Test programs.
set(KELVANE_PCH_tests_HEADERS ${KELVANE_STD_HEADERS} <gtest/gtest.h>)
set(KELVANE_PCH_tests_LIBS GTest::gtest)
set(KELVANE_PCH_windows_HEADERS ${KELVANE_STD_HEADERS} ${KELVANE_QT_HEADERS})
set(KELVANE_PCH_windows_LIBS Qt6::Widgets)
set(KELVANE_PCH_window_tests_HEADERS ${KELVANE_STD_HEADERS} ${KELVANE_QT_HEADERS} <QSignalSpy>
  <QTest>)
set(KELVANE_PCH_window_tests_LIBS Qt6::Test Qt6::Widgets)

# GCC 12 loses sight of which code is the standard library's when its headers come
# precompiled, and reports its known false overflows inside std::string copies in our files.
# The code free of Qt is compiled without precompiled headers and keeps these warnings.
set(KELVANE_PCH_QUIET_WARNINGS)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  set(KELVANE_PCH_QUIET_WARNINGS -Wno-array-bounds -Wno-stringop-overflow -Wno-stringop-overread)
endif()

# kelvane_precompile_headers(TARGET KIND)
# Compiles TARGET with the precompiled headers of KIND: tests, windows or window_tests.
function(kelvane_precompile_headers target kind)
  set(pch_target kelvane_pch_${kind})
  if(NOT TARGET ${pch_target})
    add_library(${pch_target} STATIC "${PROJECT_SOURCE_DIR}/cmake/PrecompiledHeaders.cpp")
    target_link_libraries(${pch_target} PRIVATE ${KELVANE_PCH_${kind}_LIBS} kelvane_warnings)
    target_compile_options(${pch_target} PRIVATE ${KELVANE_PCH_QUIET_WARNINGS})
    target_precompile_headers(${pch_target} PRIVATE ${KELVANE_PCH_${kind}_HEADERS})
  endif()
  target_precompile_headers(${target} REUSE_FROM ${pch_target})
  target_compile_options(${target} PRIVATE ${KELVANE_PCH_QUIET_WARNINGS})
endfunction()
