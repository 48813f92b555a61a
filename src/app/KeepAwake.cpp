#include "KeepAwake.h"

#include "WaylandIdleInhibitor.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>

#include <optional>

// Last: Xlib's macros (None, Bool, Status) would clash with Qt's names.
#include <X11/extensions/scrnsaver.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString PortalService = u"org.freedesktop.portal.Desktop"_s;
const QString GnomeService = u"org.gnome.SessionManager"_s;
const QString SaverService = u"org.freedesktop.ScreenSaver"_s;
// What the portal and GNOME's session manager call inhibiting the idle state, among logout and suspend.
constexpr uint IdleFlag = 8;

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

// The Inhibit calls, one for each service that may keep the screen on. The window is named where the
// platform has a name for it that another process understands (an X window id); elsewhere it is left out.
QList<QDBusMessage> InhibitCalls(const QWidget *board)
{
    const QString reason = u"A game is on the scoreboard"_s;
    const bool x11 = XDisplay() != nullptr;
    const uint xid = x11 ? uint(board->winId()) : 0;
    QDBusMessage portal = QDBusMessage::createMethodCall(PortalService, u"/org/freedesktop/portal/desktop"_s,
                                                         u"org.freedesktop.portal.Inhibit"_s, u"Inhibit"_s);
    portal << (x11 ? u"x11:%1"_s.arg(xid, 0, 16) : QString()) << IdleFlag << QVariantMap {{u"reason"_s, reason}};
    QDBusMessage gnome =
        QDBusMessage::createMethodCall(GnomeService, u"/org/gnome/SessionManager"_s, GnomeService, u"Inhibit"_s);
    gnome << QGuiApplication::desktopFileName() << xid << reason << IdleFlag;
    QDBusMessage saver =
        QDBusMessage::createMethodCall(SaverService, u"/org/freedesktop/ScreenSaver"_s, SaverService, u"Inhibit"_s);
    saver << QGuiApplication::applicationName() << reason;
    return {portal, gnome, saver};
}

// The portal grants an inhibition as a request object that holds it until it is closed; the others
// answer with a cookie that is handed back. An answer of another shape grants nothing to hand back.
std::optional<QDBusMessage> ReleaseOf(const QDBusMessage &call, const QDBusMessage &reply)
{
    const bool portal = call.service() == PortalService;
    if (reply.signature() != (portal ? u"o" : u"u"))
        return std::nullopt;
    const QVariant answer = reply.arguments().constFirst();
    if (portal)
        return QDBusMessage::createMethodCall(PortalService, answer.value<QDBusObjectPath>().path(),
                                              u"org.freedesktop.portal.Request"_s, u"Close"_s);
    QDBusMessage release = QDBusMessage::createMethodCall(
        call.service(), call.path(), call.interface(), call.service() == GnomeService ? u"Uninhibit"_s : u"UnInhibit"_s);
    release << answer;
    return release;
}

} // namespace

KeepAwake::KeepAwake(QWidget *board) : QObject(board)
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
    // A Wayland compositor idles by its own clock, which nothing on X reaches; the inhibition lives on
    // the board's surface and ends with it.
    if (QGuiApplication::platformName().startsWith(u"wayland"))
        new WaylandIdleInhibitor(board->windowHandle(), this);
    if (QDBusConnection::sessionBus().isConnected())
        for (const QDBusMessage &call : InhibitCalls(board))
            Inhibit(call);
}

KeepAwake::~KeepAwake()
{
    if (Display *display = XDisplay(); display && m_xSuspended) {
        XScreenSaverSuspend(display, False);
        XFlush(display);
    }
    for (const QDBusMessage &release : std::as_const(m_releases))
        QDBusConnection::sessionBus().send(release);
}

// Desktops lock the screen on idle by their own clocks, which the X server's suspension does not reach.
// Each service is asked without waiting for the answer: a hung desktop must never freeze the board, and
// one that is not there answers with an error that costs nothing.
void KeepAwake::Inhibit(const QDBusMessage &call)
{
    // The watcher belongs to the application, not to us: when the board closes before the answer comes,
    // the answer still arrives, and the inhibition it grants is handed back at once instead of holding
    // the screen on for as long as the help window keeps the program running.
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), qApp);
    connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
            [self = QPointer(this), call](QDBusPendingCallWatcher *pending) {
        pending->deleteLater();
        const std::optional<QDBusMessage> release = ReleaseOf(call, pending->reply());
        if (!release)
            return;
        if (self)
            self->m_releases << *release;
        else
            QDBusConnection::sessionBus().send(*release);
    });
}
