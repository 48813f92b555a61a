#include "frmScoreboard.h"
#include "Label.h"
#include "KeyLabel.h"
#include "PlatformDialogs.h"
#include "frmChooseKey.h"
#include "frmOptions.h"
#include "SettingsStore.h"
#include "support/QuietOffscreen.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

// Answers the platform's dialogs for the operator and keeps the warnings shown.
struct FakeDialogs : PlatformDialogs
{
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

// Clicks a key button and, once the key capture dialog is open and waiting, presses one key in it (Esc when
// refused); true when taken.
bool ChooseKey(frmOptions &options, const char *button, char key)
{
    qint16 chosen = 0;
    QTimer::singleShot(0, qApp, [key, &chosen] {
        auto *capture = qobject_cast<frmChooseKey *>(QApplication::activeModalWidget());
        QVERIFY(capture);
        QTest::keyClick(capture->cmdCancel, key);
        chosen = capture->ChosenKey();
        if (capture->isVisible())
            QTest::keyClick(capture->cmdCancel, Qt::Key_Escape);
    });
    options.findChild<QPushButton *>(QLatin1String(button))->click();
    return chosen != 0;
}

// Table rows: a key pressed in the capture dialog; the buzzer file saved before, picked in the file dialog
// (empty: not opened), shown and kept.
struct Press { Qt::Key key; QString typed; QString chosen; bool open; };
struct Buzzer { QString saved; QString picked; QString shown; QString kept; };

} // namespace

Q_DECLARE_METATYPE(Press)
Q_DECLARE_METATYPE(Buzzer)

// The options dialog and the key capture dialog, driven as an operator drives them, the platform's own
// dialogs answered by a stand-in.
class OptionsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QuietOffscreenPlatform(); }
    void init()
    {
        Settings = DefaultSettings();
        QFile::remove(SettingsFileName());
        m_dialogs.emplace();
    }

    void keyRule_data()
    {
        QTest::addColumn<Press>("row"); // chosen "0": no key taken
        // b is the buzzer's own saved key though its label shows it, s another action's; h, o, the digits and the
        // typed-entry characters (a carriage return typed as Ctrl+M among them) belong to the board, and the
        // characters beside the digits do not.
        for (const QChar c : u"bO\b/:"_s)
            QTest::addRow("code %d taken", c.unicode()) << Press {Qt::Key_unknown, c, QString::number(c.unicode()), false};
        for (const QChar c : u"sho059+-.=\r"_s)
            QTest::addRow("code %d refused", c.unicode()) << Press {Qt::Key_unknown, c, u"0"_s, true};
        QTest::newRow("space, which would click Cancel") << Press {Qt::Key_Space, u" "_s, u"0"_s, true};
        QTest::newRow("Esc cancels") << Press {Qt::Key_Escape, u"\x1b"_s, u"0"_s, false};
        QTest::newRow("Enter cancels") << Press {Qt::Key_Return, u"\r"_s, u"0"_s, false};
    }

    void keyRule()
    {
        QFETCH(Press, row);
        frmChooseKey capture(u"sound the buzzer"_s, 'b', {'s', 'r', 'c', 'b'});
        capture.show();
        QCOMPARE(capture.lblChoose->text(), u"Press the key you would like to sound the buzzer."_s);
        // WHEN the key is pressed on Cancel, the one control that takes the focus
        QTest::sendKeyEvent(QTest::Click, capture.cmdCancel, row.key, row.typed, {});
        QCOMPARE(QString::number(capture.ChosenKey()), row.chosen);
        QCOMPARE(capture.isVisible(), row.open);
        QCOMPARE(capture.lblUsed->isVisible(), row.open);
    }

    void changesKeptOrDropped_data()
    {
        // The buttons clicked ("<button>=<key>": a key pressed in the capture dialog it opens), whether the question
        // is answered Yes or a colour picked, how the dialog is closed, whether the operator's settings changed, and
        // where given: the keys taken (1) or refused (0), the start key's label, the buzzer and start keys.
        QTest::addColumn<QString>("row");
        QTest::newRow("reset colours, No, OK") << u"cmdResetColors no ok kept"_s;
        QTest::newRow("reset colours, Yes, Cancel") << u"cmdResetColors yes cancel kept"_s;
        QTest::newRow("reset colours, Yes, OK") << u"cmdResetColors yes ok changed"_s;
        QTest::newRow("reset keys, Yes, window closed") << u"cmdResetKeys yes close kept"_s;
        QTest::newRow("colour picker cancelled, OK") << u"cmdHomeC no ok kept"_s;
        QTest::newRow("colour picked, OK") << u"cmdHomeC yes ok changed"_s;
        QTest::newRow("key chosen, Cancel") << u"cmdResetClock=z no cancel kept"_s;
        // The buzzer key changed from k to x, not confirmed: x is in use now, the saved k is welcome though the reset
        // key has it too. A key with no glyph shows its name and is kept as its code.
        QTest::newRow("keys chosen, OK") << u"cmdBuzzer=x,cmdBuzzer=x,cmdBuzzer=k,cmdStartStopClock=\b no ok changed 1011,Backspace,107,8"_s;
    }
    void changesKeptOrDropped()
    {
        QFETCH(QString, row);
        const QStringList words = row.split(u' ');
        const QString &closer = words.at(2);
        // Settings an operator made, none of them factory values; the title longer than the box lets anyone type.
        Settings.HomeColor = Settings.TimeColor = 0x010203;
        Settings.ResetClockKey = Settings.BuzzerKey = 'k';
        Settings.TitleText = QString(30, u'T');
        const SettingsRecord own = Settings;
        m_dialogs->yes = words.at(1) == u"yes";
        frmOptions dialog;
        dialog.show();
        QString taken;
        for (const QString &action : words.at(0).split(u','))
            if (action.contains(u'='))
                taken += QString::number(ChooseKey(dialog, action.section(u'=', 0, 0).toLatin1().constData(), action.back().toLatin1()));
            else
                dialog.findChild<QPushButton *>(action)->click();
        closer == u"ok" ? dialog.cmdOk->click() : closer == u"cancel" ? dialog.cmdCancel->click() : void(dialog.close());
        QCOMPARE(Settings != own, words.at(3) == u"changed");
        QCOMPARE(QFile::exists(SettingsFileName()), closer == u"ok");
        if (words.size() > 4)
            QCOMPARE(u"%1,%2,%3,%4"_s.arg(taken, dialog.findChild<KeyLabel *>(u"lblStartStopClock"_s)->text())
                     .arg(Settings.BuzzerKey).arg(Settings.StartStopClockKey), words.at(4));
        QCOMPARE(KeyLabel::TextFor(9) + KeyLabel::TextFor(32) + KeyLabel::TextFor(160), u"Ctrl+ISpaceCode 160"_s);
    }

    void buzzerFile_data()
    {
        QTest::addColumn<Buzzer>("row");
        // Paths of an exact length in the tests' own configuration folder; the one of 51 characters exists.
        const QString folder = qEnvironmentVariable("XDG_CONFIG_HOME") + u'/';
        const auto path = [&folder](int length) { return folder + QString(length - folder.size() - 4, u'h') + u".wav"_s; };
        const QString p50 = path(50), p51 = path(51), gone = folder + QString(60 - folder.size(), u'g');
        QFile(p51).open(QIODevice::WriteOnly);
        const QString p51Short = p51.left(10) + u" .../"_s + QFileInfo(p51).fileName();
        QTest::newRow("none") << Buzzer {QString(), QString(), u"[No File Selected]"_s, QString()};
        QTest::newRow("short") << Buzzer {u"/a.wav"_s, QString(), u"/a.wav"_s, u"/a.wav"_s};
        QTest::newRow("50 characters, whole") << Buzzer {p50, QString(), p50, p50};
        QTest::newRow("51 characters, shortened") << Buzzer {p51, QString(), p51Short, p51};
        QTest::newRow("long, file gone") << Buzzer {gone, QString(), gone.left(10) + u" .../"_s, gone};
        QTest::newRow("missing file picked") << Buzzer {p50, gone, p50, p50};
    }

    void buzzerFile()
    {
        QFETCH(Buzzer, row);
        Settings.BuzzerFile = row.saved;
        m_dialogs->file = row.picked;
        frmOptions dialog;
        dialog.show();
        if (!row.picked.isEmpty())
            dialog.cmdBuzzerSound->click();
        QCOMPARE(dialog.lblBFile->text(), row.shown);
        // AND whatever width the path gives the dialog, every tab shows its whole caption, unscrolled
        const QTabBar *bar = dialog.SSTab1->tabBar();
        for (int i = 0; i < bar->count(); ++i)
            QVERIFY(bar->rect().contains(bar->tabRect(i))
                    && bar->tabRect(i).width() >= bar->fontMetrics().horizontalAdvance(bar->tabText(i)));
        dialog.cmdOk->click();
        QCOMPARE(Settings.BuzzerFile, row.kept);
    }

    // Names longer than the boxes take, typed in the options the board's "o" opens and confirmed while a plain file
    // stands where the store's folder belongs: the board shows what the boxes took, and the operator learns where
    // and why they were not saved (the installed copy's walk proves the program opens the options).
    void namesShownOnBoardThoughNotSaved()
    {
        QDir(QFileInfo(SettingsFileName()).path()).removeRecursively();
        QFile blocker(QFileInfo(SettingsFileName()).path());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        frmScoreboard board;
        connect(&board, &frmScoreboard::optionsRequested, this, [] {
            frmOptions options;
            for (auto [box, text] : {std::pair {"txtTitle", "Spring Championship Final 2025"},
                                     {"txtHomeText", "Eagles United"}, {"txtVisitorText", "Hawks"}}) {
                auto *edit = options.findChild<QLineEdit *>(QLatin1String(box));
                edit->selectAll();
                QTest::keyClicks(edit, QLatin1String(text));
            }
            options.cmdOk->click();
        });
        QTest::keyClick(&board, 'o');
        blocker.remove();
        QCOMPARE(board.lblTitle->text() + u'|' + board.lblHome->text() + u'|' + board.lblVisitor->text(),
                 u"Spring Championship Fina|Eagles Uni|Hawks"_s);
        QCOMPARE(m_dialogs->warnings.size(), 1);
        QVERIFY2(m_dialogs->warnings.first().contains(SettingsFileName() + u"\n(Not a directory)"_s), qPrintable(m_dialogs->warnings.first()));
    }

private:
    // In place for every test, fresh for each, so no real dialog ever waits for an operator.
    std::optional<FakeDialogs> m_dialogs;
};

QTEST_MAIN(OptionsTest)
#include "OptionsTest.moc"
