#include "app/SplashPosition.h"
#include "app/frmSplash.h"
#include "display/Label.h"
#include "settings/SettingsRecord.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
const QByteArray StoredSettings = "[TextSettings]\nTitleText=Title from the store\n";
}

// The splash window: where it opens, what it loads and shows, and what its clicks open.
class AppTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Before the first settings object fixes the store's path: a folder of our own, holding a title.
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        QDir(m_config.path()).mkpath(u"Quorvane"_s);
        QFile file(m_config.filePath(u"Quorvane/Quorvane.conf"_s));
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

    void position_data()
    {
        QTest::addColumn<QRectF>("screen");
        QTest::addColumn<QRectF>("available");
        QTest::addColumn<QPointF>("topLeft");
        const QRectF xga(0, 0, 15360, 11520), small(0, 0, 7200, 4800);
        QTest::newRow("1024 x 768: 2820 twips down") << xga << xga << QPointF(4560, 2820);
        QTest::newRow("small, never above its panel") << small << QRectF(0, 360, 7200, 4440) << QPointF(480, 360);
    }
    void position()
    {
        QFETCH(QRectF, screen);
        QFETCH(QRectF, available);
        QFETCH(QPointF, topLeft);
        QCOMPARE(SplashPosition(screen, available, QSizeF(6240, 3240)), topLeft);
    }

    void clickOpensTheBoardAndStoresNothing_data()
    {
        QTest::addColumn<QString>("control"); // empty: the window's background
        QTest::newRow("background") << QString();
        QTest::newRow("right button: no click") << u"right"_s;
        QTest::newRow("logo") << u"picLogo"_s;
        QTest::newRow("a hint label") << u"Label2"_s;
    }
    void clickOpensTheBoardAndStoresNothing()
    {
        QFETCH(QString, control);
        // GIVEN the splash has loaded the stored settings and shows the version
        QCOMPARE(Settings.TitleText + m_splash->lblVersion->text(), u"Title from the storeVersion 1.1.1"_s);
        QSignalSpy opened(m_splash, &frmSplash::BoardOpened);
        QWidget *target = m_splash->findChild<QWidget *>(control);
        const QPoint at = target ? target->mapTo(m_splash, target->rect().center()) : QPoint(3, 100);
        QWidget *hit = m_splash->childAt(at) ? m_splash->childAt(at) : m_splash.data();
        QTest::mouseClick(hit, control == u"right" ? Qt::RightButton : Qt::LeftButton, {}, hit->mapFrom(m_splash, at));
        QCOMPARE(opened.count(), control == u"right" ? 0 : 1);
        if (control == u"right")
            return;
        QPointer<frmScoreboard> board = opened.at(0).at(0).value<frmScoreboard *>();
        QVERIFY(board->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_splash.isNull());
        board->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QFile file(m_config.filePath(u"Quorvane/Quorvane.conf"_s));
        QVERIFY(board.isNull() && file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), StoredSettings);
    }

    void buttonsAskForTheirWindowAndKeepTheSplash_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("accessKey");
        QTest::newRow("help") << u"cmdHelp"_s << int(Qt::Key_H);
        QTest::newRow("options") << u"cmdOptions"_s << int(Qt::Key_O);
    }
    void buttonsAskForTheirWindowAndKeepTheSplash()
    {
        QFETCH(QString, button);
        QFETCH(int, accessKey);
        QSignalSpy opened(m_splash, &frmSplash::BoardOpened);
        QStringList asked;
        connect(m_splash, &frmSplash::helpRequested, this, [&asked] { asked << u"cmdHelp"_s; });
        connect(m_splash, &frmSplash::optionsRequested, this, [&asked] { asked << u"cmdOptions"_s; });
        QTest::mouseClick(m_splash->findChild<QPushButton *>(button), Qt::LeftButton);
        QTest::keyClick(m_splash, Qt::Key(accessKey), Qt::AltModifier);
        QTRY_COMPARE(asked, (QStringList {button, button}));
        QCOMPARE(opened.count(), 0);
        QVERIFY(m_splash->isVisible());
    }

private:
    QTemporaryDir m_config;
    QPointer<frmSplash> m_splash;
};

QUORVANE_TEST(AppTest)
#include "AppTest.moc"
