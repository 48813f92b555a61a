#include "app/Wiring.h"
#include "app/frmSplash.h"
#include "display/Label.h"
#include "options/KeyLabel.h"
#include "options/PlatformDialogs.h"
#include "options/frmChooseKey.h"
#include "options/frmOptions.h"
#include "settings/SettingsStore.h"
#include "support/TestRegistry.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

// Answers the platform's dialogs for the operator and keeps the warnings shown.
class FakeDialogs : public PlatformDialogs
{
public:
    FakeDialogs() { Replace(this); }
    ~FakeDialogs() override { Replace(nullptr); }
    QColor ChooseColor(const QColor &, QWidget *) override { return yes ? QColor(Qt::blue) : QColor(); }
    QString ChooseOpenFile(const QString &, const QString &, QWidget *) override { return file; }
    bool AskYesNo(const QString &, const QString &, QWidget *) override { return yes; }
    void Warn(const QString &, const QString &text, QWidget *) override { warnings << text; }

    bool yes = false;
    QString file;
    QStringList warnings;
};

// Runs the operator's part in the next modal dialog, once it is open and waiting.
template <class Dialog, class Steps>
void InNextModal(Steps steps)
{
    QTimer::singleShot(0, qApp, [steps] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        steps(dialog);
    });
}

// Clicks a key button and presses one key in the key capture dialog; true when it was taken.
bool ChooseKey(frmOptions &options, const char *button, char key)
{
    bool taken = false;
    InNextModal<frmChooseKey>([&taken, key](frmChooseKey *capture) {
        QTest::keyClick(capture->cmdCancel, key);
        taken = !capture->isVisible();
        if (!taken)
            QTest::keyClick(capture->cmdCancel, Qt::Key_Escape);
    });
    options.findChild<QPushButton *>(QLatin1String(button))->click();
    return taken;
}

QString StoreFile()
{
    return QSettings(u"Quorvane"_s, u"Quorvane"_s).fileName();
}

} // namespace

class tst_Options : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void okStoresAllSixteen();
    void changesKeptOrDropped_data();
    void changesKeptOrDropped();
    void keyButtons();
    void buzzerFile_data();
    void buzzerFile();
    void unwritableStore();
    void focusOnOk();
    void namesShownOnBoard();

private:
    QTemporaryDir m_store;
    SettingsRecord m_factory;
    // In place for every test, so no real dialog ever waits for an operator.
    FakeDialogs m_dialogs;
};

void tst_Options::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_store.path());
    m_factory.BuzzerFile = DefaultBuzzerFile();
}

void tst_Options::init()
{
    Settings = m_factory;
    QFile::remove(StoreFile());
    m_dialogs.yes = false;
    m_dialogs.file.clear();
    m_dialogs.warnings.clear();
}

void tst_Options::okStoresAllSixteen()
{
    // WHEN the dialog is confirmed untouched over the factory settings
    frmOptions(nullptr).cmdOk->click();
    // THEN every key is stored, as decimal text where it is a number
    QSettings store(u"Quorvane"_s, u"Quorvane"_s);
    QStringList stored;
    for (const QString &key : store.allKeys())
        stored << key + u'=' + store.value(key).toString();
    QCOMPARE(stored, QStringList({u"ColorSettings/BorderColor=16777215"_s, u"ColorSettings/FormBack=4210752"_s,
        u"ColorSettings/HomeColor=16777215"_s, u"ColorSettings/LEDBack=0"_s, u"ColorSettings/PeriodColor=49152"_s,
        u"ColorSettings/ScoreColor=33023"_s, u"ColorSettings/TimeColor=255"_s, u"ColorSettings/VisitorColor=16777215"_s,
        u"KeySettings/BuzzerFile="_s + DefaultBuzzerFile(), u"KeySettings/BuzzerKey=98"_s,
        u"KeySettings/ClockSwitchKey=99"_s, u"KeySettings/ResetClockKey=114"_s,
        u"KeySettings/StartStopClockKey=115"_s, u"TextSettings/HomeText=Home"_s, u"TextSettings/TitleText=Home"_s,
        u"TextSettings/VisitorText=Visitor"_s}));
}

void tst_Options::changesKeptOrDropped_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("yes"); // the question answered Yes, a colour picked, a free key pressed
    QTest::addColumn<QString>("closer");
    QTest::addColumn<bool>("changed");

    QTest::newRow("reset colours, No, OK") << u"cmdResetColors"_s << false << u"ok"_s << false;
    QTest::newRow("reset colours, Yes, Cancel") << u"cmdResetColors"_s << true << u"cancel"_s << false;
    QTest::newRow("reset colours, Yes, OK") << u"cmdResetColors"_s << true << u"ok"_s << true;
    QTest::newRow("reset keys, No, OK") << u"cmdResetKeys"_s << false << u"ok"_s << false;
    QTest::newRow("reset keys, Yes, window closed") << u"cmdResetKeys"_s << true << u"close"_s << false;
    QTest::newRow("reset keys, Yes, OK") << u"cmdResetKeys"_s << true << u"ok"_s << true;
    QTest::newRow("colour picker cancelled, OK") << u"cmdHomeC"_s << false << u"ok"_s << false;
    QTest::newRow("colour picked, Cancel") << u"cmdHomeC"_s << true << u"cancel"_s << false;
    QTest::newRow("colour picked, OK") << u"cmdHomeC"_s << true << u"ok"_s << true;
    QTest::newRow("key refused, OK") << u"cmdResetClock"_s << false << u"ok"_s << false;
    QTest::newRow("key chosen, Cancel") << u"cmdResetClock"_s << true << u"cancel"_s << false;
    QTest::newRow("key chosen, OK") << u"cmdResetClock"_s << true << u"ok"_s << true;
}

void tst_Options::changesKeptOrDropped()
{
    QFETCH(QString, button);
    QFETCH(bool, yes);
    QFETCH(QString, closer);
    QFETCH(bool, changed);
    // GIVEN settings an operator made, none of them factory values
    SettingsRecord own = Settings;
    own.HomeColor = own.TimeColor = 0x010203;
    own.ResetClockKey = own.BuzzerKey = 'k';
    Settings = own;
    m_dialogs.yes = yes;
    frmOptions dialog;
    dialog.show();

    if (button == u"cmdResetClock")
        ChooseKey(dialog, "cmdResetClock", yes ? 'z' : 'o');
    else
        dialog.findChild<QPushButton *>(button)->click();
    if (closer == u"ok")
        dialog.cmdOk->click();
    else if (closer == u"cancel")
        dialog.cmdCancel->click();
    else
        dialog.close();

    QCOMPARE(Settings != own, changed);
    QCOMPARE(QFile::exists(StoreFile()), closer == u"ok");
}

void tst_Options::keyButtons()
{
    frmOptions dialog;
    // GIVEN the buzzer key changed from b to x, not confirmed: x is in use now, the saved b is welcome
    QVERIFY(ChooseKey(dialog, "cmdBuzzer", 'x'));
    QVERIFY(!ChooseKey(dialog, "cmdBuzzer", 'x'));
    QVERIFY(ChooseKey(dialog, "cmdBuzzer", 'b'));
    // A key with no glyph shows its name and is kept as its code
    QVERIFY(ChooseKey(dialog, "cmdStartStopClock", '\b'));
    QCOMPARE(dialog.findChild<KeyLabel *>(u"lblStartStopClock"_s)->text(), u"Backspace"_s);
    QCOMPARE(KeyLabel::TextFor(9), u"Ctrl+I"_s);
    QCOMPARE(KeyLabel::TextFor(160), u"Code 160"_s);
    dialog.cmdOk->click();
    QCOMPARE(Settings.BuzzerKey, 'b');
    QCOMPARE(Settings.StartStopClockKey, 8);
}

void tst_Options::buzzerFile_data()
{
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QString>("picked"); // what the file dialog returns; empty: not opened or cancelled
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("kept");

    // Paths of an exact length in the test's own folder; the one of 51 characters exists.
    const QString folder = m_store.path() + u'/';
    const auto path = [&folder](int length) { return folder + QString(length - folder.size() - 4, u'h') + u".wav"_s; };
    const QString p50 = path(50), p51 = path(51), gone = folder + QString(60 - folder.size(), u'g');
    QFile(p51).open(QIODevice::WriteOnly);
    const QString p51Short = p51.left(10) + u" .../"_s + QFileInfo(p51).fileName();

    QTest::newRow("none") << QString() << QString() << u"[No File Selected]"_s << QString();
    QTest::newRow("50 characters, whole") << p50 << QString() << p50 << p50;
    QTest::newRow("51 characters, shortened") << p51 << QString() << p51Short << p51;
    QTest::newRow("long, file gone") << gone << QString() << gone.left(10) + u" .../"_s << gone;
    QTest::newRow("file picked") << QString() << p51 << p51Short << p51;
    QTest::newRow("missing file picked") << p50 << gone << p50 << p50;
}

void tst_Options::buzzerFile()
{
    QFETCH(QString, saved);
    QFETCH(QString, picked);
    QFETCH(QString, shown);
    QFETCH(QString, kept);
    Settings.BuzzerFile = saved;
    m_dialogs.file = picked;
    frmOptions dialog;
    if (!picked.isEmpty())
        dialog.cmdBuzzerSound->click();
    QCOMPARE(dialog.lblBFile->text(), shown);
    dialog.cmdOk->click();
    QCOMPARE(Settings.BuzzerFile, kept);
}

void tst_Options::unwritableStore()
{
    // GIVEN a plain file where the store's folder belongs, so the folder cannot be made
    QDir(QFileInfo(StoreFile()).path()).removeRecursively();
    QFile blocker(QFileInfo(StoreFile()).path());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    frmOptions dialog;
    dialog.findChild<QLineEdit *>(u"txtHomeText"_s)->setText(u"Eagles"_s);
    dialog.cmdOk->click();
    blocker.remove();
    // THEN the name is in force for this run, and the operator learns where and why it was not saved
    QCOMPARE(Settings.HomeText, u"Eagles"_s);
    QCOMPARE(m_dialogs.warnings.size(), 1);
    QVERIFY2(m_dialogs.warnings.first().contains(StoreFile() + u"\n(Not a directory)"_s), qPrintable(m_dialogs.warnings.first()));
}

void tst_Options::focusOnOk()
{
    frmOptions dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), dialog.cmdOk);
    // WHEN a key button was worked from the keyboard, the focus comes back to OK and not to the button
    dialog.findChild<QPushButton *>(u"cmdBuzzer"_s)->setFocus();
    ChooseKey(dialog, "cmdBuzzer", 'x');
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), dialog.cmdOk);
}

void tst_Options::namesShownOnBoard()
{
    // GIVEN the board opened from the splash and wired as the program wires them
    auto *splash = new frmSplash;
    WireSplash(splash);
    frmScoreboard *board = nullptr;
    connect(splash, &frmSplash::BoardOpened, this, [&board](frmScoreboard *opened) { board = opened; });
    splash->GoScore();
    QVERIFY(board);
    // WHEN the operator opens the options with "o", types the texts, longer than they may be, and confirms
    InNextModal<frmOptions>([](frmOptions *options) {
        const auto type = [options](const char *box, const QString &text) {
            auto *edit = options->findChild<QLineEdit *>(QLatin1String(box));
            edit->selectAll();
            QTest::keyClicks(edit, text);
        };
        type("txtTitle", u"Spring Championship Final 2025"_s);
        type("txtHomeText", u"Eagles United"_s);
        type("txtVisitorText", u"Hawks"_s);
        options->cmdOk->click();
    });
    QTest::keyClick(board, 'o');
    // THEN the board shows them as far as the boxes took them
    QCOMPARE(board->lblTitle->text(), u"Spring Championship Fina"_s);
    QCOMPARE(board->lblHome->text(), u"Eagles Uni"_s);
    QCOMPARE(board->lblVisitor->text(), u"Hawks"_s);
    delete board;
}

QUORVANE_TEST(tst_Options)
#include "tst_options.moc"
