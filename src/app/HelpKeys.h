#pragma once

#include <QObject>

class frmHelp;

// Keeps the game run from the keyboard while the help window is in front: the board's command keys typed
// there (the clock's keys, the buzzer, options, F11) act on the board, Esc closes the help window, and every
// other key is the help window's own (scrolling, selecting). Before the board is open, only Esc is taken. A
// child of the help window, gone with it.
class HelpKeys : public QObject
{
    Q_OBJECT

public:
    explicit HelpKeys(frmHelp *help);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    frmHelp *m_help;
};
