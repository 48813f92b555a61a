#pragma once

#include <QObject>

#include <memory>
#include <vector>

// One test executable per source folder runs several QtTest classes: each .cpp registers its class
// with QUORVANE_TEST(Class), and the shared main (TestMain.cpp) runs them all in turn.
using TestFactory = std::unique_ptr<QObject> (*)();
std::vector<TestFactory> &RegisteredTests();

#define QUORVANE_TEST(Class)                                                                                     \
    static const bool quorvaneRegistered##Class =                                                                \
        (RegisteredTests().push_back([]() -> std::unique_ptr<QObject> { return std::make_unique<Class>(); }), true);

// Drops what the offscreen platform says of every window it lays out or raises ("This plugin does not support
// propagateSizeHints()"): it has no window manager to tell, and the lines would bury what the program says.
// Called from a test class's initTestCase, so that QtTest's own message handler gets everything else.
void QuietOffscreenPlatform();
