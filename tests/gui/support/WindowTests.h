#pragma once

#include <QApplication>
#include <QTest>

namespace kelvane::testing {

// How one window test class starts: it makes the application and runs the class's tests with
// the command line that follows the class's name.
using WindowTestMain = int (*)(int argc, char** argv);

// Makes a test class known to the program it is built into, whose main runs the class named
// by its first argument. Returns true, so that a registration can initialise a constant.
bool RegisterWindowTest(const char* name, WindowTestMain main);

// Runs a test class in an application set up as QTEST_MAIN sets it up.
template <typename TestClass>
int RunWindowTest(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestClass test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace kelvane::testing

// Registers a test class of the namespace the macro stands in under its own name, started
// the way QTEST_MAIN starts a class; KELVANE_WINDOW_TEST_WITH_MAIN gives a start of its own.
#define KELVANE_WINDOW_TEST(TestClass) \
    KELVANE_WINDOW_TEST_WITH_MAIN(TestClass, &RunWindowTest<TestClass>)
#define KELVANE_WINDOW_TEST_WITH_MAIN(TestClass, main) \
    [[maybe_unused]] static const bool kRegistered##TestClass = RegisterWindowTest(#TestClass, main)
