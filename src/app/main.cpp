#include "SingleInstance.h"
#include "Wiring.h"
#include "frmSplash.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Quorvane"_s);
    QApplication::setOrganizationName(u"Quorvane"_s);
    // A desktop matches the windows to the menu entry by this name (on X11 by the class "Quorvane" too).
    QApplication::setDesktopFileName(u"org.quorvane.Quorvane"_s);

    SingleInstance instance;
    if (instance.HandedOver())
        return 0;
    QObject::connect(&instance, &SingleInstance::raiseRequested, &app, &RaiseRunningCopy);

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
    return app.exec();
}
