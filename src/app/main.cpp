#include "SingleInstance.h"
#include "Wiring.h"
#include "frmSplash.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Quorvane"_s);
    QApplication::setOrganizationName(u"Quorvane"_s);
    // A desktop matches the windows to the menu entry by this name (on X11 by the class "Quorvane" too).
    QApplication::setDesktopFileName(u"org.quorvane.Quorvane"_s);

    auto instance = std::make_unique<SingleInstance>();
    if (instance->HandedOver())
        return 0;
    QObject::connect(instance.get(), &SingleInstance::raiseRequested, &app, &RaiseRunningCopy);

    // Every window, splash, board and dialogs, carries the desktop icon in all its sizes, so the window
    // manager picks a sharp one for the title bar and the task switcher alike.
    QIcon icon;
    for (const QString &size : QDir(u":/icons"_s).entryList())
        icon.addFile(u":/icons/%1/apps/quorvane.png"_s.arg(size));
    QApplication::setWindowIcon(icon);

    // The splash deletes itself when it closes; the run ends when the last window has closed.
    auto *splash = new frmSplash;
    WireSplash(splash);
    splash->show();
    const int status = app.exec();

    // Qt 6.4's Wayland client can hang for good joining its event thread as the application is torn down
    // (about one exit in ten under a compositor). The windows are closed and nothing is left to save: on
    // Wayland the run ends here, the one-copy lock handed back first.
    instance.reset();
    if (QGuiApplication::platformName() == u"wayland"_s) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
