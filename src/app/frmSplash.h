#pragma once

#include "frmScoreboard.h"

#include <QWidget>

class Label;
class QFrame;
class QLabel;
class QPushButton;

// The window the program opens with: name, logo, version and a hint at the help and options keys, on a
// borderless panel placed a little above the screen's centre. Building it loads the settings, so they
// are complete before any other window exists. A click anywhere but on its two buttons opens the
// board and closes the splash for good. It deletes itself when it closes: create it with new.
class frmSplash : public QWidget
{
    Q_OBJECT

public:
    explicit frmSplash(QWidget *parent = nullptr);

    // Closes and discards the splash, then opens the board.
    void GoScore();

    // The controls, each named by its kind: the frame, the logo picture, lbl and Label labels (name, maker,
    // the click hint, the version, the two key hints), cmd the two buttons.
    QFrame *frameSplash = nullptr;
    QLabel *picLogo = nullptr;
    Label *lblName = nullptr;
    Label *lblMadeBy = nullptr;
    Label *lblClick = nullptr;
    Label *lblVersion = nullptr;
    Label *Label1 = nullptr;
    Label *Label2 = nullptr;
    QPushButton *cmdHelp = nullptr;
    QPushButton *cmdOptions = nullptr;

signals:
    // The two buttons; the splash stays open beside the window they open.
    void helpRequested();
    void optionsRequested();
    // The board GoScore has just opened; it deletes itself when it closes.
    void boardOpened(frmScoreboard *board);

protected:
    // Clicks on the labels, the logo and the frame reach the window too: labels let clicks through to
    // the frame beneath, and neither the frame nor the logo takes a mouse event, so Qt hands it on here.
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void Form_Load();
};
