#include "app/Wiring.h"

#include "app/KeepAwake.h"
#include "app/frmSplash.h"
#include "board/frmScoreboard.h"
#include "help/frmHelp.h"
#include "options/frmOptions.h"

#include <QPointer>

namespace {

// The help window: one for the whole run, shown modeless beside whichever window asked for it. Asked
// again while open, it comes to the front as it is; once closed it is gone, and the next request builds
// a new one that reads the help file again.
void OpenHelp()
{
    static QPointer<frmHelp> help;
    if (!help)
        help = new frmHelp;
    help->show();
    help->raise();
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
    QObject::connect(splash, &frmSplash::helpRequested, splash, &OpenHelp);
    QObject::connect(splash, &frmSplash::optionsRequested, splash, [splash] { OpenOptions(splash); });
    QObject::connect(splash, &frmSplash::BoardOpened, splash, [](frmScoreboard *board) {
        // The screen stays on while the board is open, and only then.
        new KeepAwake(board);
        QObject::connect(board, &frmScoreboard::helpRequested, board, &OpenHelp);
        QObject::connect(board, &frmScoreboard::optionsRequested, board, [board] { OpenOptions(board); });
    });
}
