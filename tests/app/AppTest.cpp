#include "app/SplashPosition.h"
#include "app/frmSplash.h"
#include "board/frmScoreboard.h"
#include "display/Label.h"
#include "display/Twips.h"
#include "settings/SettingsRecord.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString StoredTitle = u"Title from the store"_s;
const QByteArray StoredSettings = "[TextSettings]\nTitleText=" + StoredTitle.toUtf8() + "\n";

} // namespace

// The splash window: where it opens, what it loads and shows, and what its clicks open.
class AppTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void position_data();
    void position();
    void formLoad();

    void clickOpensBoard_data();
    void clickOpensBoard();
    void clickThatIsNoClick();
    void buttonsKeepSplash_data();
    void buttonsKeepSplash();

private:
    QTemporaryDir m_config;
    // Shown with nothing pending before each test, with a settings record that does not hold the
    // store's title; deleted at cleanup unless GoScore discarded it.
    QPointer<frmSplash> m_splash;
    QPointer<frmScoreboard> m_board;
};

void AppTest::initTestCase()
{
    // Before the first settings object fixes the store's path: our own folder, holding a title.
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    QDir(m_config.path()).mkpath(u"Quorvane"_s);
    QFile file(m_config.filePath(u"Quorvane/Quorvane.conf"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(StoredSettings);
}

void AppTest::init()
{
    Settings = SettingsRecord();
    m_splash = new frmSplash;
    m_splash->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_splash));
    QCoreApplication::processEvents();
}

void AppTest::cleanup()
{
    delete m_splash;
    delete m_board;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void AppTest::position_data()
{
    QTest::addColumn<QRectF>("screen");
    QTest::addColumn<QRectF>("available");
    QTest::addColumn<QPointF>("topLeft");
    const auto row = [](const char *tag, const QRectF &screen, const QRectF &available, const QPointF &topLeft) {
        QTest::newRow(tag) << screen << available << topLeft;
    };

    const QRectF xga(0, 0, 15360, 11520);
    const QRectF small(0, 0, 7200, 4800);
    row("1024 x 768", xga, xga, {4560, 2820});
    row("screen right of and below another", xga.translated(19200, 11520), xga.translated(19200, 11520),
        {23760, 14340});
    // small screens: never above or left of the usable area
    row("320 pixels high", small, small, {480, 0});
    row("small, with a panel at the top", small, {0, 360, 7200, 4440}, {480, 360});
}

void AppTest::position()
{
    QFETCH(QRectF, screen);
    QFETCH(QRectF, available);
    QFETCH(QPointF, topLeft);

    QCOMPARE(SplashPosition(screen, available, QSizeF(6240, 3240)), topLeft);
}

void AppTest::formLoad()
{
    // the splash was built from a fresh record: the title came from the store
    QVERIFY(SettingsRecord().TitleText != StoredTitle);
    QCOMPARE(Settings.TitleText, StoredTitle);
    // 6240 x 3240 twips without a border, (screen height - 5880) / 2 twips down the primary screen,
    // centred across

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(m_splash->frameGeometry().size(), QSize(416, 216));
    QVERIFY(m_splash->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(PixelsToTwips(m_splash->y() - screen.y()), (PixelsToTwips(screen.height()) - 5880) / 2);
    QCOMPARE(m_splash->x() - screen.x(), (screen.width() - 416) / 2);
    QCOMPARE(m_splash->lblVersion->text(), u"Version 1.1.1"_s);
    QCOMPARE(m_splash->picLogo->pixmap().size(), QSize(126, 126));
    // A label does not wrap: a text wider or taller than its box would be cut off.
    const QList<Label *> labels = m_splash->findChildren<Label *>();
    QCOMPARE(labels.size(), 6);
    for (const Label *label : labels) {
        const QFontMetrics metrics(label->font());
        QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width(), qPrintable(label->text()));
        QVERIFY2(metrics.height() <= label->height(), qPrintable(label->text()));
    }
}

void AppTest::clickOpensBoard_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QPoint>("at");

    // in the window's pixels; no control is the window background, no point the control's centre
    QTest::newRow("window background") << QString() << QPoint(3, 100);
    QTest::newRow("frameSplash") << u"frameSplash"_s << QPoint(20, 20);
    QTest::newRow("picLogo") << u"picLogo"_s << QPoint(87, 127);
    for (const char *name : {"lblName", "Label2"})
        QTest::newRow(name) << QString::fromLatin1(name) << QPoint();
}

void AppTest::clickOpensBoard()
{
    QFETCH(QString, control);
    QFETCH(QPoint, at);

    QSignalSpy opened(m_splash, &frmSplash::BoardOpened);
    QWidget *target = control.isEmpty() ? nullptr : m_splash->findChild<QWidget *>(control);
    QVERIFY(control.isEmpty() || target);
    if (at.isNull())
        at = target->mapTo(m_splash, target->rect().center());

    // GIVEN the point is on the control, or on the panel beneath a label that lets clicks through
    QWidget *hit = m_splash->childAt(at);
    QVERIFY(hit == target
            || (target && target->testAttribute(Qt::WA_TransparentForMouseEvents) && hit == target->parentWidget()));

    // WHEN it is clicked
    QWidget *receiver = hit ? hit : m_splash.data();
    QTest::mouseClick(receiver, Qt::LeftButton, Qt::NoModifier, receiver->mapFrom(m_splash, at));

    // THEN the board is open and the splash gone
    QCOMPARE(opened.count(), 1);
    m_board = opened.at(0).at(0).value<frmScoreboard *>();
    QVERIFY(m_board && m_board->isVisible());
    QCOMPARE(m_board->windowTitle(), u"Quorvane"_s);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m_splash.isNull());

    // AND once the board has closed too, nothing was stored. The sound system may keep files of its
    // own in the configuration folder; ours is Quorvane/.
    m_board->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m_board.isNull());
    const QDir ours(m_config.filePath(u"Quorvane"_s));
    QCOMPARE(ours.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList {u"Quorvane.conf"_s});
    QFile file(ours.filePath(u"Quorvane.conf"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), StoredSettings);
}

void AppTest::clickThatIsNoClick()
{
    QSignalSpy opened(m_splash, &frmSplash::BoardOpened);

    // WHEN the right button clicks, and the left one is released off the window
    QTest::mouseClick(m_splash, Qt::RightButton, Qt::NoModifier, QPoint(3, 100));
    QTest::mousePress(m_splash, Qt::LeftButton, Qt::NoModifier, QPoint(3, 100));
    QTest::mouseRelease(m_splash, Qt::LeftButton, Qt::NoModifier, QPoint(-20, 100));

    QCOMPARE(opened.count(), 0);
    QVERIFY(m_splash->isVisible());
}

void AppTest::buttonsKeepSplash_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("accessKey");

    QTest::newRow("cmdHelp") << u"cmdHelp"_s << int(Qt::Key_H);
    QTest::newRow("cmdOptions") << u"cmdOptions"_s << int(Qt::Key_O);
}

void AppTest::buttonsKeepSplash()
{
    QFETCH(QString, button);
    QFETCH(int, accessKey);

    m_splash->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_splash));
    auto *push = m_splash->findChild<QPushButton *>(button);
    QVERIFY(push);
    QSignalSpy opened(m_splash, &frmSplash::BoardOpened);
    QSignalSpy pressed(push, &QPushButton::pressed);

    // WHEN clicked with no window to show, then with stand-ins that note what is asked for, then its
    // access key (which presses the button at once and releases it later)
    QTest::mouseClick(push, Qt::LeftButton);
    QStringList shown;
    connect(m_splash, &frmSplash::helpRequested, this, [&shown] { shown << u"cmdHelp"_s; });
    connect(m_splash, &frmSplash::optionsRequested, this, [&shown] { shown << u"cmdOptions"_s; });
    QTest::mouseClick(push, Qt::LeftButton);
    QTest::keyClick(m_splash, Qt::Key(accessKey), Qt::AltModifier);

    // THEN its own window was asked for, and the splash stays without opening the board
    QCOMPARE(shown, QStringList {button});
    QCOMPARE(pressed.count(), 3);
    QCOMPARE(opened.count(), 0);
    QVERIFY(m_splash->isVisible());
}

QUORVANE_TEST(AppTest)
#include "AppTest.moc"
