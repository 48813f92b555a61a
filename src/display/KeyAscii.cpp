#include "display/KeyAscii.h"

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

int TakeKeyAscii(QKeyEvent *event)
{
    const int code = KeyAscii(event);
    if (code < 0) {
        event->ignore();
        return -1;
    }
    event->accept();
    return event->isAutoRepeat() ? -1 : code;
}
