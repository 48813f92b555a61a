#include "app/frmSplash.h"
#include "app/Wiring.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QApplication::setOrganizationName(QStringLiteral("Quorvane"));

    // The splash deletes itself when it closes; the run ends when the last window has closed.
    auto *splash = new frmSplash;
    WireSplash(splash);
    splash->show();
    return app.exec();
}
