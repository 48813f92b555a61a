#include "app/SplashPosition.h"
#include "app/frmSplash.h"
#include "board/frmScoreboard.h"
#include "display/Label.h"
#include "display/Twips.h"
#include "settings/SettingsRecord.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The title initTestCase stores in the settings file, in the folder main() points XDG_CONFIG_HOME at.
const QString StoredTitle = QStringLiteral("Title from the store");

QStringList filesUnder(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    return files;
}

// Runs the deletions that close() and deleteLater() have posted.
void runDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class tst_Splash : public QObject
{
    Q_OBJECT

public:
    explicit tst_Splash(const QString &configFolder)
        : m_configFolder(configFolder)
    {
    }

private slots:
    void initTestCase();
    void cleanup();

    // Placement, without a window
    void position_data();
    void position();

    // Loading
    void placedOnThePrimaryScreen();
    void controlsAtDesignPlace_data();
    void controlsAtDesignPlace();
    void textsFitTheirLabels_data();
    void textsFitTheirLabels();
    void logoIsShown();
    void versionLabel();
    void loadsSettings();

    // Clicks
    void clickOpensBoard_data();
    void clickOpensBoard();
    void clickThatIsNoClick_data();
    void clickThatIsNoClick();
    void buttonsKeepSplash_data();
    void buttonsKeepSplash();
    void accessKeys_data();
    void accessKeys();
    void buttonWithoutWindowDoesNothing();
    void goScoreStoresNothing();

private:
    // A shown splash with nothing pending, deleted at cleanup unless GoScore discarded it.
    frmSplash *shownSplash();

    QString m_configFolder;
    QString m_settingsFile;
    QPointer<frmSplash> m_splash;
    QList<QPointer<frmScoreboard>> m_boards;
};

void tst_Splash::initTestCase()
{
    QDir(m_configFolder).mkpath(QStringLiteral("Quorvane"));
    m_settingsFile = m_configFolder + QStringLiteral("/Quorvane/Quorvane.conf");
    QFile file(m_settingsFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[TextSettings]\nTitleText=" + StoredTitle.toUtf8() + "\n");
}

void tst_Splash::cleanup()
{
    delete m_splash;
    for (const QPointer<frmScoreboard> &board : std::as_const(m_boards))
        delete board;
    m_boards.clear();
    runDeferredDeletes();
}

frmSplash *tst_Splash::shownSplash()
{
    m_splash = new frmSplash;
    m_splash->show();
    if (!QTest::qWaitForWindowExposed(m_splash))
        return nullptr;
    QCoreApplication::processEvents();
    return m_splash;
}

void tst_Splash::position_data()
{
    QTest::addColumn<QRectF>("screen");
    QTest::addColumn<QRectF>("available");
    QTest::addColumn<QPointF>("topLeft");

    // the placement rule
    QTest::newRow("1024 x 768") << QRectF(0, 0, 15360, 11520) << QRectF(0, 0, 15360, 11520)
                                << QPointF(4560, 2820);
    QTest::newRow("1920 x 1080") << QRectF(0, 0, 28800, 16200) << QRectF(0, 0, 28800, 16200)
                                 << QPointF(11280, 5160);
    QTest::newRow("odd pixel height keeps the half twip") << QRectF(0, 0, 15360, 11505)
                                                          << QRectF(0, 0, 15360, 11505) << QPointF(4560, 2812.5);
    QTest::newRow("panel at the top, room enough") << QRectF(0, 0, 15360, 11520) << QRectF(0, 450, 15360, 11070)
                                                   << QPointF(4560, 2820);
    QTest::newRow("primary screen right of another") << QRectF(19200, 0, 15360, 11520)
                                                     << QRectF(19200, 0, 15360, 11520) << QPointF(23760, 2820);
    QTest::newRow("primary screen below another") << QRectF(0, 11520, 15360, 11520)
                                                  << QRectF(0, 11520, 15360, 11520) << QPointF(4560, 14340);
    // boundary: exactly as high as the centring constant
    QTest::newRow("5880 twips high") << QRectF(0, 0, 9600, 5880) << QRectF(0, 0, 9600, 5880)
                                     << QPointF(1680, 0);
    // small screens: never above or left of the usable area
    QTest::newRow("320 pixels high") << QRectF(0, 0, 7200, 4800) << QRectF(0, 0, 7200, 4800)
                                     << QPointF(480, 0);
    QTest::newRow("small, with a panel at the top") << QRectF(0, 0, 7200, 4800) << QRectF(0, 360, 7200, 4440)
                                                    << QPointF(480, 360);
    QTest::newRow("narrower than the splash") << QRectF(0, 0, 4800, 9000) << QRectF(0, 0, 4800, 9000)
                                              << QPointF(0, 1560);
    QTest::newRow("small screen right of another") << QRectF(19200, 0, 4800, 4800)
                                                   << QRectF(19200, 0, 4800, 4800) << QPointF(19200, 0);
}

void tst_Splash::position()
{
    QFETCH(QRectF, screen);
    QFETCH(QRectF, available);
    QFETCH(QPointF, topLeft);

    QCOMPARE(SplashPosition(screen, available, QSizeF(6240, 3240)), topLeft);
}

void tst_Splash::placedOnThePrimaryScreen()
{
    // GIVEN the primary screen (the offscreen platform's 800 x 600 unless configured otherwise)
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QVERIFY(screen.height() * 15 > 5880);

    frmSplash *splash = shownSplash();
    QVERIFY(splash);

    // THEN it is 6240 x 3240 twips, 1320 twips above the vertical centre and centred across
    QCOMPARE(splash->size(), QSize(416, 216));
    QCOMPARE(splash->frameGeometry().size(), QSize(416, 216));
    QCOMPARE(PixelsToTwips(splash->y() - screen.y()), (PixelsToTwips(screen.height()) - 5880) / 2);
    QCOMPARE(splash->x() - screen.x(), (screen.width() - 416) / 2);
    QVERIFY(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
}

void tst_Splash::controlsAtDesignPlace_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRectF>("twips");

    const QString window = QStringLiteral("frmSplash");
    const QString frame = QStringLiteral("frameSplash");
    // the frame is made taller at load
    QTest::newRow("frameSplash") << frame << window << QRectF(120, 0, 6000, 3120);
    QTest::newRow("picLogo") << QStringLiteral("picLogo") << window << QRectF(360, 960, 1890, 1890);
    QTest::newRow("lblName") << QStringLiteral("lblName") << frame << QRectF(653, 240, 4935, 615);
    QTest::newRow("lblMadeBy") << QStringLiteral("lblMadeBy") << frame << QRectF(3000, 840, 2655, 255);
    QTest::newRow("lblClick") << QStringLiteral("lblClick") << frame << QRectF(2400, 1080, 1335, 255);
    QTest::newRow("lblVersion") << QStringLiteral("lblVersion") << frame << QRectF(3480, 1080, 2175, 375);
    QTest::newRow("Label1") << QStringLiteral("Label1") << frame << QRectF(2520, 1680, 3255, 255);
    QTest::newRow("Label2") << QStringLiteral("Label2") << frame << QRectF(2520, 1920, 3255, 375);
    QTest::newRow("cmdHelp") << QStringLiteral("cmdHelp") << frame << QRectF(3120, 2640, 1215, 375);
    QTest::newRow("cmdOptions") << QStringLiteral("cmdOptions") << window << QRectF(4680, 2640, 1215, 375);
}

void tst_Splash::controlsAtDesignPlace()
{
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRectF, twips);

    frmSplash *splash = shownSplash();
    QVERIFY(splash);
    auto *control = splash->findChild<QWidget *>(name);
    QVERIFY(control);

    QCOMPARE(control->parentWidget()->objectName(), parent);
    QCOMPARE(TwipsRect(control), twips);
    QCOMPARE(control->geometry(), QRect(qRound(twips.x() / 15), qRound(twips.y() / 15),
                                        qRound(twips.right() / 15) - qRound(twips.x() / 15),
                                        qRound(twips.bottom() / 15) - qRound(twips.y() / 15)));
    QVERIFY(control->isVisible());
}

void tst_Splash::textsFitTheirLabels_data()
{
    QTest::addColumn<QString>("name");

    for (const char *name : {"lblName", "lblMadeBy", "lblClick", "lblVersion", "Label1", "Label2"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void tst_Splash::textsFitTheirLabels()
{
    QFETCH(QString, name);

    frmSplash *splash = shownSplash();
    QVERIFY(splash);
    auto *label = splash->findChild<QLabel *>(name);
    QVERIFY(label);

    // A label does not wrap: a text wider or taller than its design box would be cut off.
    const QFontMetrics metrics(label->font());
    QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width(),
             qPrintable(QStringLiteral("\"%1\" is %2 px wide in a %3 px label")
                            .arg(label->text())
                            .arg(metrics.horizontalAdvance(label->text()))
                            .arg(label->width())));
    QCOMPARE_LE(metrics.height(), label->height());
}

void tst_Splash::logoIsShown()
{
    frmSplash *splash = shownSplash();
    QVERIFY(splash);

    const QPixmap logo = splash->picLogo->pixmap();
    QCOMPARE(logo.size(), QSize(126, 126));
    // the logo fills its box: what the box shows is the picture, not the window behind it
    const QImage shown = splash->picLogo->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage picture = logo.toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.pixelColor(63, 63), picture.pixelColor(63, 63));
    QVERIFY(shown.pixelColor(63, 63) != splash->palette().color(QPalette::Window));
}

void tst_Splash::versionLabel()
{
    frmSplash *splash = shownSplash();
    QVERIFY(splash);

    QCOMPARE(splash->lblVersion->text(), QStringLiteral("Version 1.1.1"));
}

void tst_Splash::loadsSettings()
{
    // GIVEN a settings record that does not hold what the store holds
    Settings = SettingsRecord();
    QVERIFY(Settings.TitleText != StoredTitle);

    // WHEN the splash is built
    frmSplash *splash = shownSplash();
    QVERIFY(splash);

    // THEN the record was loaded from the store, defaults filled in where the store is silent
    QCOMPARE(Settings.TitleText, StoredTitle);
    QCOMPARE(Settings.HomeText, QStringLiteral("Home"));
    QVERIFY(Settings.BuzzerFile.endsWith(QStringLiteral("/buzzer.wav")));
}

void tst_Splash::clickOpensBoard_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QPoint>("at");

    // the point is in the window's pixels; an empty control name means the window background
    QTest::newRow("window background, left margin") << QString() << QPoint(3, 100);
    QTest::newRow("window background, bottom strip") << QString() << QPoint(300, 212);
    QTest::newRow("frameSplash") << QStringLiteral("frameSplash") << QPoint(20, 20);
    QTest::newRow("picLogo") << QStringLiteral("picLogo") << QPoint(87, 127);
    for (const char *name : {"lblName", "lblMadeBy", "lblClick", "lblVersion", "Label1", "Label2"})
        QTest::newRow(name) << QString::fromLatin1(name) << QPoint();
}

void tst_Splash::clickOpensBoard()
{
    QFETCH(QString, control);
    QFETCH(QPoint, at);

    frmSplash *splash = shownSplash();
    QVERIFY(splash);
    QSignalSpy opened(splash, &frmSplash::BoardOpened);
    auto *target = control.isEmpty() ? nullptr : splash->findChild<QWidget *>(control);
    QVERIFY(control.isEmpty() || target);
    if (at.isNull())
        at = target->mapTo(splash, target->rect().center());

    // GIVEN the point lies on the control and nothing that takes clicks covers it there; a label lets
    // clicks through to the panel beneath it
    QVERIFY(!target || target->rect().contains(target->mapFrom(splash, at)));
    QWidget *hit = splash->childAt(at);
    if (target && target->testAttribute(Qt::WA_TransparentForMouseEvents))
        QCOMPARE(hit, target->parentWidget());
    else
        QCOMPARE(hit, target);

    // WHEN a pointer clicks there
    QWidget *receiver = hit ? hit : splash;
    QTest::mouseClick(receiver, Qt::LeftButton, Qt::NoModifier, receiver->mapFrom(splash, at));

    // THEN the board is open and the splash closed and gone
    QCOMPARE(opened.count(), 1);
    QPointer<frmScoreboard> board = opened.at(0).at(0).value<frmScoreboard *>();
    m_boards.append(board);
    QVERIFY(board);
    QVERIFY(board->isVisible());
    QCOMPARE(board->windowTitle(), QStringLiteral("Quorvane"));
    QVERIFY(board->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(!splash->isVisible());
    runDeferredDeletes();
    QVERIFY(m_splash.isNull());
}

void tst_Splash::clickThatIsNoClick_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("releasedAt");

    QTest::newRow("right button") << int(Qt::RightButton) << QPoint(3, 100);
    QTest::newRow("middle button") << int(Qt::MiddleButton) << QPoint(3, 100);
    QTest::newRow("released off the window") << int(Qt::LeftButton) << QPoint(-20, 100);
    QTest::newRow("released below the window") << int(Qt::LeftButton) << QPoint(3, 400);
}

void tst_Splash::clickThatIsNoClick()
{
    QFETCH(int, button);
    QFETCH(QPoint, releasedAt);

    frmSplash *splash = shownSplash();
    QVERIFY(splash);
    QSignalSpy opened(splash, &frmSplash::BoardOpened);

    QTest::mousePress(splash, Qt::MouseButton(button), Qt::NoModifier, QPoint(3, 100));
    QTest::mouseRelease(splash, Qt::MouseButton(button), Qt::NoModifier, releasedAt);

    QCOMPARE(opened.count(), 0);
    QVERIFY(splash->isVisible());
}

void tst_Splash::buttonsKeepSplash_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("helpShown");
    QTest::addColumn<int>("optionsShown");

    QTest::newRow("cmdHelp") << QStringLiteral("cmdHelp") << 1 << 0;
    QTest::newRow("cmdOptions") << QStringLiteral("cmdOptions") << 0 << 1;
}

void tst_Splash::buttonsKeepSplash()
{
    QFETCH(QString, button);
    QFETCH(int, helpShown);
    QFETCH(int, optionsShown);

    // GIVEN a splash whose help and options windows are stand-ins that count their showings
    frmSplash *splash = shownSplash();
    QVERIFY(splash);
    int help = 0;
    int options = 0;
    splash->ShowHelp = [&help] { ++help; };
    splash->ShowOptions = [&options] { ++options; };
    QSignalSpy opened(splash, &frmSplash::BoardOpened);
    auto *pushButton = splash->findChild<QPushButton *>(button);
    QVERIFY(pushButton);

    // WHEN the button is clicked
    QTest::mouseClick(pushButton, Qt::LeftButton);

    // THEN its window was asked for, and the splash stays without opening the board
    QCOMPARE(help, helpShown);
    QCOMPARE(options, optionsShown);
    QCOMPARE(opened.count(), 0);
    QVERIFY(splash->isVisible());
}

void tst_Splash::accessKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<QString>("untouched");

    QTest::newRow("Alt+H") << int(Qt::Key_H) << QStringLiteral("cmdHelp") << QStringLiteral("cmdOptions");
    QTest::newRow("Alt+O") << int(Qt::Key_O) << QStringLiteral("cmdOptions") << QStringLiteral("cmdHelp");
}

void tst_Splash::accessKeys()
{
    QFETCH(int, key);
    QFETCH(QString, pressed);
    QFETCH(QString, untouched);

    frmSplash *splash = shownSplash();
    QVERIFY(splash);
    splash->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(splash));
    auto *target = splash->findChild<QPushButton *>(pressed);
    auto *other = splash->findChild<QPushButton *>(untouched);
    QVERIFY(target && other);
    QSignalSpy targetPressed(target, &QPushButton::pressed);
    QSignalSpy otherPressed(other, &QPushButton::pressed);

    // An access key presses its button at once and lets it go a moment later, as a visible click.
    QTest::keyClick(splash, Qt::Key(key), Qt::AltModifier);

    QCOMPARE(targetPressed.count(), 1);
    QCOMPARE(otherPressed.count(), 0);
}

void tst_Splash::buttonWithoutWindowDoesNothing()
{
    frmSplash *splash = shownSplash();
    QVERIFY(splash);
    QSignalSpy opened(splash, &frmSplash::BoardOpened);

    QTest::mouseClick(splash->cmdHelp, Qt::LeftButton);
    QTest::mouseClick(splash->cmdOptions, Qt::LeftButton);

    QCOMPARE(opened.count(), 0);
    QVERIFY(splash->isVisible());
}

void tst_Splash::goScoreStoresNothing()
{
    // The sound system may keep files of its own in the configuration folder; ours is Quorvane/.
    const QString ours = m_configFolder + QStringLiteral("/Quorvane");
    const QStringList before = filesUnder(ours);
    QCOMPARE(before, QStringList {m_settingsFile});
    QFile file(m_settingsFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    file.close();

    frmSplash *splash = shownSplash();
    QVERIFY(splash);
    QSignalSpy opened(splash, &frmSplash::BoardOpened);
    splash->GoScore();
    QCOMPARE(opened.count(), 1);
    QPointer<frmScoreboard> board = opened.at(0).at(0).value<frmScoreboard *>();
    QVERIFY(board);
    board->close();
    runDeferredDeletes();
    QVERIFY(board.isNull());

    QCOMPARE(filesUnder(ours), before);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), content);
}

int main(int argc, char *argv[])
{
    // The store's path is fixed by the first settings object: point it at a folder of our own before
    // anything can make one.
    QTemporaryDir config;
    if (!config.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QApplication app(argc, argv);
    tst_Splash test(config.path());
    return QTest::qExec(&test, argc, argv);
}

#include "tst_splash.moc"
