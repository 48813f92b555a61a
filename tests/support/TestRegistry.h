#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

// One test executable per source folder runs several QtTest classes: each .cpp registers its class
// with QUORVANE_TEST(Class), and the shared main (TestMain.cpp) runs them all in turn.
using TestFactory = std::function<std::unique_ptr<QObject>()>;
std::vector<TestFactory> &RegisteredTests();

template <class Test>
struct RegisterTest
{
    RegisterTest() { RegisteredTests().push_back([] { return std::make_unique<Test>(); }); }
};

#define QUORVANE_TEST(Class) static const RegisterTest<Class> quorvaneRegistered##Class;
