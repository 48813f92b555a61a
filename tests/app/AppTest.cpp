#include "SingleInstance.h"
#include "SplashPosition.h"
#include "Wiring.h"
#include "frmSplash.h"
#include "Label.h"
#include "SettingsStore.h"
#include "Version.h"
#include "support/QuietOffscreen.h"

#include <QDir>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

static const QByteArray StoredSettings = "[TextSettings]\nTitleText=Title from the store\n";

// The splash window: where it opens, what it loads and shows, and what its clicks open.
class AppTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QuietOffscreenPlatform();
        // The tests' own store, holding a title.
        QDir().mkpath(QFileInfo(SettingsFileName()).path());
        QFile file(SettingsFileName());
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(StoredSettings) > 0);
    }
    void init()
    {
        Settings = SettingsRecord();
        m_splash = new frmSplash;
        m_splash->show();
        QVERIFY(QTest::qWaitForWindowActive(m_splash));
    }
    void cleanup() { delete m_splash; }

    void position()
    {
        // On 1024 x 768, 2820 twips down; on a small screen, never above its panel.
        const QRectF xga(0, 0, 15360, 11520), small(0, 0, 7200, 4800);
        QCOMPARE(SplashPosition(xga, xga, QSizeF(6240, 3240)), QPointF(4560, 2820));
        QCOMPARE(SplashPosition(small, QRectF(0, 360, 7200, 4440), QSizeF(6240, 3240)), QPointF(480, 360));
    }

    void secondCopy()
    {
        // GIVEN the running copy's board, minimised
        const QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        SingleInstance running;
        QVERIFY(!running.HandedOver());
        connect(&running, &SingleInstance::raiseRequested, this, &RaiseRunningCopy);
        QPointer<frmScoreboard> board;
        connect(m_splash, &frmSplash::boardOpened, this, [&board](frmScoreboard *opened) { board = opened; });
        m_splash->GoScore();
        board->showMinimized();

        // WHEN the program is started again
        SingleInstance second;

        // THEN that copy hands over and ends, and the running one brings its board back to the front
        QVERIFY(second.HandedOver());
        QTRY_VERIFY(!board->isMinimized());
        delete board;
    }

    void clicks_data()
    {
        // What is clicked: a control, "-" for the window's background, "right" for a right click on it, "Alt+H" and
        // "Alt+O" for the buttons' access keys; then what the splash opens or asks the program for ("-": nothing)
        QTest::addColumn<QString>("row");
        for (const char *row : {"- board", "right -", "picLogo board", "Label2 board", "cmdHelp help", "cmdOptions options",
                                "Alt+H help", "Alt+O options"})
            QTest::newRow(row) << QString::fromLatin1(row);
    }
    void clicks()
    {
        QFETCH(QString, row);
        const QString control = row.section(u' ', 0, 0), opens = row.section(u' ', 1);
        // GIVEN the splash has loaded the stored settings and shows the version
        QCOMPARE(Settings.TitleText + m_splash->lblVersion->text(), u"Title from the storeVersion %1.%2.%3"_s
                 .arg(QuorvaneVersionMajor).arg(QuorvaneVersionMinor).arg(QuorvaneVersionRevision));
        QSignalSpy board(m_splash, &frmSplash::boardOpened), help(m_splash, &frmSplash::helpRequested),
            options(m_splash, &frmSplash::optionsRequested);
        QWidget *target = m_splash->findChild<QWidget *>(control);
        const QPoint at = target ? target->mapTo(m_splash, target->rect().center()) : QPoint(3, 100);
        QWidget *hit = m_splash->childAt(at) ? m_splash->childAt(at) : m_splash.data();
        if (control.startsWith(u"Alt+"))
            QTest::keyClick(m_splash, control.back().toLower().toLatin1(), Qt::AltModifier);
        else
            QTest::mouseClick(hit, control == u"right" ? Qt::RightButton : Qt::LeftButton, {}, hit->mapFrom(m_splash, at));
        QTRY_COMPARE(QList<int>({int(board.count()), int(help.count()), int(options.count())}),
                     QList<int>({opens == u"board", opens == u"help", opens == u"options"}));
        QCOMPARE(m_splash->isVisible(), opens != u"board");
        if (opens != u"board")
            return;
        QPointer<frmScoreboard> opened = board.at(0).at(0).value<frmScoreboard *>();
        QVERIFY(opened->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_splash.isNull());
        opened->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QFile file(SettingsFileName());
        QVERIFY(opened.isNull() && file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), StoredSettings);
    }

private:
    QPointer<frmSplash> m_splash;
};

QTEST_MAIN(AppTest)
#include "AppTest.moc"
