#pragma once

#include <QGuiApplication>

// Drops what the offscreen platform says of every window it lays out or raises ("This plugin does not support
// propagateSizeHints()"): it has no window manager to tell, and the lines would bury what the program says.
// Called from a test's initTestCase, so that QtTest's own message handler gets everything else.
inline void QuietOffscreenPlatform()
{
    static QtMessageHandler testLog = nullptr;
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        testLog = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
            if (type != QtWarningMsg || !message.startsWith(QLatin1String("This plugin does not support ")))
                testLog(type, context, message);
        });
}
