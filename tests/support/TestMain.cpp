#include "support/TestRegistry.h"

#include <QTemporaryDir>
#include <QTest>

#ifdef QUORVANE_TEST_GUILESS
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#else
#include <QApplication>
using TestApplication = QApplication;
#endif

std::vector<TestFactory> &RegisteredTests()
{
    static std::vector<TestFactory> tests;
    return tests;
}

int main(int argc, char *argv[])
{
    // Every test's settings live in a folder of its own, never in the user's store.
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    TestApplication app(argc, argv);
    int failed = 0;
    for (const TestFactory &make : RegisteredTests()) {
        const std::unique_ptr<QObject> test = make();
        failed += QTest::qExec(test.get(), argc, argv);
    }
    return failed == 0 ? 0 : 1;
}
