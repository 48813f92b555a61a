#include "HelpKeys.h"

#include "frmScoreboard.h"
#include "KeyAscii.h"
#include "frmHelp.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextBrowser>

namespace {

frmScoreboard *openBoard()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *board = qobject_cast<frmScoreboard *>(window))
            return board;
    return nullptr;
}

} // namespace

HelpKeys::HelpKeys(frmHelp *help)
    : QObject(help)
    , m_help(help)
{
    // The browser has the focus and sees a key first; what it lets through reaches the window.
    help->installEventFilter(this);
    help->rtbHelp->installEventFilter(this);
}

bool HelpKeys::eventFilter(QObject *watched, QEvent *event)
{
    frmScoreboard *board = openBoard();
    if (event->type() == QEvent::KeyRelease && board) {
        NoteKeyRelease(static_cast<QKeyEvent *>(event));
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Escape) {
        m_help->close();
        return true;
    }
    if (!board)
        return false;
    if (key->key() == Qt::Key_F11) {
        board->ToggleFullScreen();
        return true;
    }
    if (!board->IsCommandKey(qint16(KeyAscii(key))))
        return false;
    // A held key acts once, as on the board.
    if (const int code = TakeKeyAscii(key); code >= 0)
        board->AllKeyPress(qint16(code));
    return true;
}
