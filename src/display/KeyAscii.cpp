#include "KeyAscii.h"

#include <QKeyEvent>

int KeyAscii(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return -1;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() != 1 || text.at(0).unicode() > 255)
        return -1;
    return text.at(0).unicode();
}

namespace {

struct Release
{
    int Key = 0;
    quint64 Timestamp = 0;
};

Release &LastRelease()
{
    static Release release;
    return release;
}

// A held key repeats as a release and a press at the same instant. Qt marks such a press as a repeat
// only when both already wait in its queue, which on a busy X server they often do not: a press of the
// key just released, at the release's own time, is a repeat too. Fingers cannot lift and press again
// within milliseconds; synthesised events without a time are never taken for one.
bool IsRepeat(const QKeyEvent *event)
{
    const Release &release = LastRelease();
    return event->isAutoRepeat()
        || (event->timestamp() != 0 && event->key() == release.Key && event->timestamp() - release.Timestamp <= 5);
}

} // namespace

int TakeKeyAscii(QKeyEvent *event)
{
    const int code = KeyAscii(event);
    if (code < 0) {
        event->ignore();
        return -1;
    }
    event->accept();
    return IsRepeat(event) ? -1 : code;
}

void NoteKeyRelease(const QKeyEvent *event)
{
    LastRelease() = {event->key(), event->timestamp()};
}
