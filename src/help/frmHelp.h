#pragma once

#include <QWidget>

class QTextBrowser;

// The help window: the help file that lies beside the program, shown read-only in rtbHelp, which
// follows the window's size. A missing, unreadable or oversized file shows a notice instead. The window
// reads the file as it is built and deletes itself when it closes, so every new window reads it afresh.
class frmHelp : public QWidget
{
    Q_OBJECT

public:
    explicit frmHelp(QWidget *parent = nullptr);

    static QString HelpFilePath();
    // The smallest the window becomes, frame included.
    static QSize MinimumOuterSize();

    QTextBrowser *rtbHelp = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_Load();
};
