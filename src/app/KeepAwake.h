#pragma once

#include <QDBusMessage>
#include <QList>
#include <QObject>

class QWidget;

// Keeps the screen on for as long as it exists: no blanking, no display power-down, no lock on idle. A
// board on a projector sits untouched through a half-time or a long time-out, longer than the idle time
// after which a desktop blanks the screen, and the crowd must not be left looking at a dark wall.
// Desktops listen in different places, so it asks in every place the session has: the X server, the
// Wayland compositor on the board's surface, and the desktop portal, GNOME's session manager and the
// screen-saver service on the session bus. Whatever is missing is left out without a word.
class KeepAwake : public QObject
{
    Q_OBJECT

public:
    explicit KeepAwake(QWidget *board);
    ~KeepAwake() override;

private:
    void Inhibit(const QDBusMessage &call);

    bool m_xSuspended = false;
    // How to hand back each inhibition granted so far, built from the service's answer.
    QList<QDBusMessage> m_releases;
};
