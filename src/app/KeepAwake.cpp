#include "app/KeepAwake.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QPointer>

// Last: Xlib's macros (None, Bool, Status) would clash with Qt's names.
#include <X11/extensions/scrnsaver.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString SaverService = u"org.freedesktop.ScreenSaver"_s;
const QString SaverPath = u"/org/freedesktop/ScreenSaver"_s;

Display *XDisplay()
{
    const auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

// Suspend came with version 1.1 of the extension; an older server would refuse the request.
bool CanSuspend(Display *display)
{
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    return XScreenSaverQueryExtension(display, &eventBase, &errorBase) &&
           XScreenSaverQueryVersion(display, &major, &minor) && (major > 1 || (major == 1 && minor >= 1));
}

void SendUnInhibit(uint cookie)
{
    QDBusMessage message = QDBusMessage::createMethodCall(SaverService, SaverPath, SaverService, u"UnInhibit"_s);
    message << cookie;
    QDBusConnection::sessionBus().call(message, QDBus::NoBlock);
}

} // namespace

KeepAwake::KeepAwake(QObject *parent) : QObject(parent)
{
    // The server holds the suspension for our connection alone and drops it when the program goes, even
    // when it goes by a crash; it covers the display's power saving as well as the blanking.
    if (Display *display = XDisplay(); display && CanSuspend(display)) {
        XScreenSaverSuspend(display, True);
        // Xlib holds a request in its buffer until a flush, and a board that stands still may send nothing
        // else for minutes.
        XFlush(display);
        m_xSuspended = true;
    }
    InhibitDesktopSaver();
}

KeepAwake::~KeepAwake()
{
    if (Display *display = XDisplay(); display && m_xSuspended) {
        XScreenSaverSuspend(display, False);
        XFlush(display);
    }
    if (m_cookie)
        SendUnInhibit(*m_cookie);
}

// The desktop locks the screen on idle by its own clock, which the X server's suspension does not reach.
// Its service is asked without waiting for the answer: a hung desktop must never freeze the board.
void KeepAwake::InhibitDesktopSaver()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage message = QDBusMessage::createMethodCall(SaverService, SaverPath, SaverService, u"Inhibit"_s);
    message << QGuiApplication::applicationName() << u"A game is on the scoreboard"_s;
    // The watcher belongs to the application, not to us: when the board closes before the answer comes,
    // the answer still arrives, and the inhibition it grants is handed back at once instead of holding
    // the screen on for as long as the help window keeps the program running.
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(message), qApp);
    connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
            [self = QPointer(this)](QDBusPendingCallWatcher *call) {
        call->deleteLater();
        const QDBusPendingReply<uint> reply = *call;
        if (reply.isError())
            return;
        if (self)
            self->m_cookie = reply.value();
        else
            SendUnInhibit(reply.value());
    });
}
