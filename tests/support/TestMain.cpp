#include "support/TestRegistry.h"

#include <QMetaMethod>
#include <QTemporaryDir>
#include <QTest>

#ifdef QUORVANE_TEST_GUILESS
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#else
#include <QApplication>
using TestApplication = QApplication;
#endif

#include <set>

std::vector<TestFactory> &RegisteredTests()
{
    static std::vector<TestFactory> tests;
    return tests;
}

namespace {

// QtTest's options that take the next argument as their value.
const std::set<QByteArray> OptionsWithValue {"-o", "-maxwarnings", "-eventdelay", "-keydelay", "-mousedelay",
                                             "-iterations", "-minimumvalue", "-minimumtotal", "-callgrind", "-seed"};

bool hasFunction(const QObject &test, const QByteArray &name)
{
    const QMetaObject *meta = test.metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i)
        if (meta->method(i).name() == name)
            return true;
    return false;
}

#ifndef QUORVANE_TEST_GUILESS
QtMessageHandler testLogHandler = nullptr;

void dropPlatformLimits(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support ")))
        return;
    testLogHandler(type, context, message);
}
#endif

} // namespace

void QuietOffscreenPlatform()
{
#ifndef QUORVANE_TEST_GUILESS
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        testLogHandler = qInstallMessageHandler(dropPlatformLimits);
#endif
}

// Several test classes share one executable: each is handed QtTest's options and only the functions named on
// the command line that it has ("tst_board operate monkey:seed 2"), and a class none of them names is not run.
int main(int argc, char *argv[])
{
    // Every test's settings live in a folder of its own, never in the user's store.
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    TestApplication app(argc, argv);
    std::vector<char *> options {argv[0]};
    std::vector<char *> functions;
    for (int i = 1; i < argc; ++i) {
        const bool option = argv[i][0] == '-';
        (option ? options : functions).push_back(argv[i]);
        if (option && OptionsWithValue.count(argv[i]) && i + 1 < argc)
            options.push_back(argv[++i]);
    }
    int failed = 0;
    for (const TestFactory &make : RegisteredTests()) {
        const std::unique_ptr<QObject> test = make();
        std::vector<char *> args = options;
        for (char *function : functions)
            if (hasFunction(*test, QByteArray(function).split(':').first().split('(').first()))
                args.push_back(function);
        if (!functions.empty() && args.size() == options.size())
            continue;
        failed += QTest::qExec(test.get(), int(args.size()), args.data());
    }
    return failed == 0 ? 0 : 1;
}
