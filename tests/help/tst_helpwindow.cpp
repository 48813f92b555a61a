#include "app/Wiring.h"
#include "app/frmSplash.h"
#include "help/RtfReader.h"
#include "help/frmHelp.h"
#include "support/TestRegistry.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString Notice = u"Help file has been moved from its normal location.  Please reinstall the program."_s;

enum Beside { OurHelpFile, Nothing, Folder, LargeFile };

QList<frmHelp *> HelpWindows()
{
    QList<frmHelp *> windows;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *help = qobject_cast<frmHelp *>(widget); help && help->isVisible())
            windows << help;
    return windows;
}

bool PutHelpFile()
{
    return QFile::copy(QStringLiteral(QUORVANE_HELP_SOURCE), frmHelp::HelpFilePath());
}

} // namespace

class tst_HelpWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void load_data();
    void load();
    void resizeKeepsMinimum_data();
    void resizeKeepsMinimum();
    void oneWindowForSplashAndBoard();

private:
    QTemporaryDir m_config;
};

void tst_HelpWindow::initTestCase()
{
    // The splash reads the settings store: our own, empty one.
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
}

void tst_HelpWindow::cleanup()
{
    for (frmHelp *help : HelpWindows())
        help->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QFile::remove(frmHelp::HelpFilePath());
    QDir().rmdir(frmHelp::HelpFilePath());
}

void tst_HelpWindow::load_data()
{
    QTest::addColumn<int>("beside");  // what lies beside the program under the help file's name
    QTest::addColumn<QString>("firstLine");

    QTest::newRow("our help file") << int(OurHelpFile) << u"Quorvane Help"_s;
    QTest::newRow("nothing") << int(Nothing) << Notice;
    QTest::newRow("a folder, unreadable") << int(Folder) << Notice;
    QTest::newRow("a file too large") << int(LargeFile) << Notice;
}

void tst_HelpWindow::load()
{
    QFETCH(int, beside);
    QFETCH(QString, firstLine);
    QFile large(frmHelp::HelpFilePath());
    if (beside == OurHelpFile)
        QVERIFY(PutHelpFile());
    if (beside == Folder)
        QVERIFY(QDir().mkdir(frmHelp::HelpFilePath()));
    if (beside == LargeFile)
        QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(RtfReader::MaxBytes + 1));

    frmHelp help;

    QCOMPARE(help.windowTitle(), u"Quorvane Help"_s);
    QCOMPARE(help.size(), QSize(737, 618));
    QCOMPARE(help.rtbHelp->toPlainText().section(u'\n', 0, 0), firstLine);
}

void tst_HelpWindow::resizeKeepsMinimum_data()
{
    // outer sizes, frame included
    QTest::addColumn<QSize>("requested");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QRect>("browser");

    // 2700 x 1700 twips is 180 x 113.3 pixels; the browser keeps 8 pixels left and right, 28 below.
    QTest::newRow("below both") << QSize(50, 50) << QSize(180, 114) << QRect(8, 0, 164, 86);
    QTest::newRow("too narrow only") << QSize(100, 400) << QSize(180, 400) << QRect(8, 0, 164, 372);
    QTest::newRow("a pixel short of 1700 twips") << QSize(300, 113) << QSize(300, 114) << QRect(8, 0, 284, 86);
}

void tst_HelpWindow::resizeKeepsMinimum()
{
    QFETCH(QSize, requested);
    QFETCH(QSize, window);
    QFETCH(QRect, browser);
    frmHelp help;
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));

    // WHEN the window is dragged to the requested size
    help.resize(requested - (help.frameGeometry().size() - help.size()));

    QTRY_COMPARE(help.frameGeometry().size(), window);
    QCOMPARE(help.rtbHelp->geometry(), browser);
}

void tst_HelpWindow::oneWindowForSplashAndBoard()
{
    // GIVEN the splash wired as the program wires it, and no help file beside the program
    auto *splash = new frmSplash;
    WireSplash(splash);
    QPointer<frmScoreboard> board;
    connect(splash, &frmSplash::BoardOpened, this, [&board](frmScoreboard *opened) { board = opened; });
    splash->show();

    // WHEN help is asked for on the splash, then on the board it opens
    QTest::mouseClick(splash->cmdHelp, Qt::LeftButton);
    splash->GoScore();
    QVERIFY(board);
    QTest::keyClick(board, Qt::Key_H);

    // THEN one window shows exactly the notice
    QCOMPARE(HelpWindows().size(), 1);
    QCOMPARE(HelpWindows().first()->rtbHelp->toPlainText(), Notice);

    // WHEN it is closed, the help file is put in place and help is asked for again
    HelpWindows().first()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(PutHelpFile());
    QTest::keyClick(board, Qt::Key_H);

    // THEN a new window has read the file
    QCOMPARE(HelpWindows().size(), 1);
    QVERIFY(HelpWindows().first()->rtbHelp->toPlainText().startsWith(u"Quorvane Help"_s));
    delete board;
}

QUORVANE_TEST(tst_HelpWindow)
#include "tst_helpwindow.moc"
