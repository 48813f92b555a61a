#include "Wiring.h"

#include "HelpKeys.h"
#include "KeepAwake.h"
#include "frmSplash.h"
#include "frmScoreboard.h"
#include "HelpPlacement.h"
#include "frmHelp.h"
#include "frmOptions.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>

namespace {

// Beside the board, or where it hides none of the clock, the scores and the period (HelpPlacement). The
// window's frame is the window manager's, known only once it is shown: it is taken to be the board's, and
// on a full-screen board, which has none, a title bar's height.
void PlaceHelpBesideBoard(frmHelp *help, const frmScoreboard *board)
{
    QSize frame = board->frameGeometry().size() - board->size();
    if (frame.isEmpty())
        frame = QSize(0, help->fontMetrics().height() * 2);
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    const QRect outer = PlaceHelp(help->size() + frame, frmHelp::MinimumOuterSize(),
                                  board->frameGeometry(), board->KeyAreas(), screens);
    help->resize(outer.size() - frame);
    help->move(outer.topLeft());
}

// The help window: one for the whole run, shown modeless beside whichever window asked for it. Asked
// again while open, it comes to the front as it is; once closed it is gone, and the next request builds
// a new one that reads the help file again. Opened from the board, it leaves the keyboard with the board,
// so the game goes on being run from the keys at the whistle, and it belongs to the board, so a window
// manager keeps it in front of a full-screen board.
void OpenHelp(frmScoreboard *board)
{
    static QPointer<frmHelp> help;
    if (!help) {
        help = new frmHelp(board);
        new HelpKeys(help);
        if (board) {
            // As a dialog of the board it is named the board's own (on X, WM_TRANSIENT_FOR), which a window
            // manager keeps in front of it; a plain window shown without the focus went under a full-screen board.
            help->setWindowFlag(Qt::Dialog);
            help->setAttribute(Qt::WA_ShowWithoutActivating);
            PlaceHelpBesideBoard(help, board);
        }
    }
    help->show();
    help->raise();
    if (!board)
        help->activateWindow();
}

// The options dialog, modal over the window that asked for it and made anew each time, so every opening
// starts from Settings. The board's timer keeps ticking in the dialog's event loop.
void OpenOptions(QWidget *parent)
{
    frmOptions dialog(parent);
    dialog.exec();
}

} // namespace

void WireSplash(frmSplash *splash)
{
    QObject::connect(splash, &frmSplash::helpRequested, splash, [] { OpenHelp(nullptr); });
    QObject::connect(splash, &frmSplash::optionsRequested, splash, [splash] { OpenOptions(splash); });
    QObject::connect(splash, &frmSplash::boardOpened, splash, [](frmScoreboard *board) {
        // The screen stays on while the board is open, and only then.
        new KeepAwake(board);
        QObject::connect(board, &frmScoreboard::helpRequested, board, [board] { OpenHelp(board); });
        QObject::connect(board, &frmScoreboard::optionsRequested, board, [board] { OpenOptions(board); });
    });
}

void RaiseRunningCopy()
{
    QWidget *front = QApplication::activeModalWidget();
    QWidget *splash = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        if (!front && qobject_cast<frmScoreboard *>(window))
            front = window;
        if (qobject_cast<frmSplash *>(window))
            splash = window;
    }
    if (!front)
        front = splash;
    if (!front)
        return;
    front->setWindowState(front->windowState() & ~Qt::WindowMinimized);
    front->raise();
    front->activateWindow();
}
