#include "board/frmScoreboard.h"
#include "board/SoundPlayer.h"
#include "clock/modCount.h"
#include "display/Image.h"
#include "display/Label.h"
#include "display/PictureBox.h"
#include "display/Shape.h"
#include "settings/SettingsRecord.h"
#include "support/ClockValueText.h"
#include "support/SteppedClock.h"
#include "support/TestRegistry.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

// The board as the operator drives it, against stepped clocks: keys, clicks, focus, the tick and the
// buzzer requests (whether sound reaches a speaker is the end-to-end test's business).
class BoardTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        ResetGameState();
        Settings = SettingsRecord {};
        Settings.BuzzerFile = QStringLiteral(QUORVANE_BUZZER_WAV);
        m_clock = std::make_unique<SteppedClock>(QDateTime(QDate(2026, 12, 6), QTime(19, 30)));
        m_board = std::make_unique<frmScoreboard>();
        m_board->tmrClock->stop(); // the test is the timer
        m_board->show();
        QVERIFY(QTest::qWaitForWindowActive(m_board.get()));
        m_plays = std::make_unique<QSignalSpy>(m_board->mmcBuzzer, &SoundPlayer::Started);
        m_help = std::make_unique<QSignalSpy>(m_board.get(), &frmScoreboard::helpRequested);
        m_options = std::make_unique<QSignalSpy>(m_board.get(), &frmScoreboard::optionsRequested);
    }
    void cleanup()
    {
        m_plays.reset();
        m_help.reset();
        m_options.reset();
        m_board.reset();
        m_clock.reset();
    }

    // Each row is what an operator does, step by step, and what the board then shows; only the named
    // observations are compared. Steps: "type:<keys>" on the focused widget ("~" is Enter), "hold:<key>"
    // (a press and its repeats), "tab", "backtab", "click:<control>", "focus:<group>.<cell>", "board"
    // (the window itself), "tick:<n>" (50 ms each), "preset:<tenths>", "keys:<start,reset,switch,buzzer>",
    // "wall:<hours>" (the system time jumps), "at:<hh:mm>" (the wall clock is set to that time of day).
    void operate_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *tag, const QString &steps, const QString &expected) {
            QTest::newRow(tag) << steps << expected;
        };
        row("s starts", u"type:s"_s, u"run=1"_s);
        row("capitals are other keys", u"type:SHO"_s, u"run=0 help=0 options=0"_s);
        row("c, b, h and o", u"type:cbho"_s, u"time=1 plays=1 help=1 options=1"_s);
        row("equal keys: the earlier row wins", u"keys:115,115,99,98 type:s"_s, u"run=1"_s);
        row("switch key h beats help", u"keys:115,114,104,98 type:h"_s, u"time=1 help=0"_s);
        row("key on a focused cell acts once", u"focus:pledTime.3 type:c"_s, u"time=1"_s);
        row("held key acts once", u"focus:pledHomeScore.2 hold:s"_s, u"run=1"_s);
        row("held key on the window acts once", u"board hold:c"_s, u"time=1"_s);
        row("twice puts it out", u"click:imgPossH click:imgPossH"_s, u"lamps=0000"_s);
        row("the other side takes it over", u"click:imgPossH click:imgPossV"_s, u"lamps=0100"_s);
        row("bonus apart", u"click:imgPossH click:imgBonusV click:imgBonusH"_s, u"lamps=1010"_s);
        row("Tab: clock, visitor, home", u"tab tab tab"_s, u"focus=pledHomeScore mark=pledHomeScore"_s);
        row("Shift+Tab the other way", u"backtab backtab"_s, u"focus=pledVisitorScore"_s);
        row("panel click gives its display", u"click:picTime"_s, u"focus=pledTime mark=pledTime"_s);
        row("focus away drops the entry", u"click:picHomeScore type:1 tab backtab type:5~"_s, u"home=5"_s);
        row("run-out not yet", u"preset:3 type:s tick:5"_s, u"plays=0"_s);
        row("run-out sounds once", u"preset:3 type:s tick:6 tick:100"_s, u"plays=1 clock=-00- colon=0"_s);
        row("again after a reset", u"preset:1 type:s tick:3 type:r tick:1 preset:1 type:s tick:3"_s, u"plays=2"_s);
        row("typed 0 sounds at the next tick", u"tick:1 focus:pledTime.0 type:0~ tick:1"_s, u"plays=1"_s);
        row("reset returns to the typed time", u"focus:pledTime.1 type:7.30~s tick:40 type:r"_s,
            u"clock=-730 run=0"_s);
        row("time of day", u"at:14:35 type:c tick:1"_s, u"clock=1435 colon=1"_s);
        row("time of day after midnight", u"at:00:02 type:c tick:1"_s, u"clock=-002 colon=1"_s);
        row("run-out unseen still sounds", u"preset:20 type:sc tick:40"_s, u"plays=1"_s);
        row("the game ran on meanwhile", u"type:sc tick:1300 type:c tick:1"_s, u"clock=-855"_s);
        row("system time jumps do not move it", u"type:s tick:20 wall:3 tick:20 wall:-5 tick:20 wall:26 tick:20"_s,
            u"clock=-956 plays=0"_s);
        row("a key wakes the timer", u"type:1"_s, u"ticking=1"_s);
        row("a stopped clock lets it sleep", u"type:s tick:1 type:s tick:1"_s, u"ticking=0"_s);
        row("a running clock keeps it", u"type:s tick:1"_s, u"ticking=1"_s);
        row("so does the time of day", u"type:c tick:1"_s, u"ticking=1"_s);
    }
    void operate()
    {
        QFETCH(QString, steps);
        QFETCH(QString, expected);
        for (const QString &step : steps.split(u' ')) {
            const QString arg = step.section(u':', 1);
            QWidget *focused = QApplication::focusWidget();
            if (step.startsWith(u"type:")) {
                for (const QChar key : arg)
                    key == u'~' ? QTest::keyClick(focused, Qt::Key_Return) : QTest::keyClicks(focused, key);
            } else if (step.startsWith(u"hold:")) {
                QTest::keyClicks(focused, arg);
                QKeyEvent repeat(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, arg, true);
                for (int i = 0; i < 3; ++i)
                    QApplication::sendEvent(focused, &repeat);
            } else if (step == u"tab" || step == u"backtab") {
                QTest::keyClick(focused, step == u"tab" ? Qt::Key_Tab : Qt::Key_Backtab);
            } else if (step.startsWith(u"click:")) {
                QTest::mouseClick(m_board->findChild<QWidget *>(arg), Qt::LeftButton, {}, QPoint(2, 2));
            } else if (step.startsWith(u"focus:")) {
                for (PolyLED *cell : m_board->findChildren<PolyLED *>(arg.section(u'.', 0, 0)))
                    if (cell->Index() == arg.section(u'.', 1).toInt())
                        cell->setFocus();
            } else if (step == u"board") {
                m_board->setFocus();
            } else if (step.startsWith(u"tick:")) {
                for (int i = arg.toInt(); i > 0; --i) {
                    m_clock->Advance(50);
                    QMetaObject::invokeMethod(m_board->tmrClock, "timeout");
                }
            } else if (step.startsWith(u"preset:")) {
                SetCount(Tenths(arg.toInt()), 0, 0);
            } else if (step.startsWith(u"keys:")) {
                const QStringList keys = arg.split(u',');
                Settings.StartStopClockKey = qint16(keys[0].toInt());
                Settings.ResetClockKey = qint16(keys[1].toInt());
                Settings.ClockSwitchKey = qint16(keys[2].toInt());
                Settings.BuzzerKey = qint16(keys[3].toInt());
            } else if (step.startsWith(u"wall:")) {
                m_clock->SetWall(m_clock->Wall().addSecs(arg.toInt() * 3600));
            } else if (step.startsWith(u"at:")) {
                m_clock->SetWall(QDateTime(QDate(2026, 12, 6), QTime::fromString(arg, u"hh:mm"_s)));
            } else {
                QFAIL(qPrintable(u"unknown step "_s + step));
            }
        }
        const QMap<QString, QString> seen = observed();
        for (const QString &pair : expected.split(u' '))
            QCOMPARE(pair.section(u'=', 0, 0) + u'=' + seen.value(pair.section(u'=', 0, 0)), pair);
    }

    void digitsStayInsideTheirPanelsAtAnyShape_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("design") << QSize(632, 453);
        QTest::newRow("3:4 upright") << QSize(632, 906);
        QTest::newRow("4:3") << QSize(1024, 768);
        QTest::newRow("16:9") << QSize(1920, 1080);
        QTest::newRow("21:9") << QSize(2560, 1080);
        QTest::newRow("32:9") << QSize(3840, 1080);
    }
    void digitsStayInsideTheirPanelsAtAnyShape()
    {
        QFETCH(QSize, size);
        m_board->resize(size);
        for (const LedGroup *group : {&m_board->pledTime, &m_board->pledHomeScore, &m_board->pledVisitorScore}) {
            const QWidget *panel = group->at(0)->parentWidget();
            QList<QRect> spans;
            for (const PolyLED *cell : *group) {
                // Where segments can light; only the right-hand "1" of a score's hundreds cell is ever lit.
                const QRect cellRect = cell->geometry();
                const bool hundreds = group != &m_board->pledTime && cell->Index() == 2;
                QRect span(cellRect.left() + cellRect.width() * (hundreds ? 0.6 : 0.12), cellRect.top() + cellRect.height() * 0.06,
                           cellRect.width() * (hundreds ? 0.28 : 0.76), cellRect.height() * 0.88);
                QVERIFY2(panel->rect().contains(span), qPrintable(group->Name() + QString::number(cell->Index())));
                for (const QRect &other : spans)
                    QVERIFY(!other.intersects(span));
                spans << span;
            }
        }
        m_board->resize(632, 453);
        QCOMPARE(m_board->pledTime[0]->Size(), 110);
        QCOMPARE(m_board->lblHome->FontSize(), 36.0);
    }

    void noBuzzerFileMeansSilence()
    {
        m_plays.reset();
        m_board.reset();
        Settings.BuzzerFile = u"/nonexistent/horn.wav"_s;
        m_board = std::make_unique<frmScoreboard>();
        m_board->tmrClock->stop();
        QSignalSpy plays(m_board->mmcBuzzer, &SoundPlayer::Started);
        m_board->AllKeyPress(98);
        SetCount(ClockValue(), 0, 0);
        QMetaObject::invokeMethod(m_board->tmrClock, "timeout");
        QCOMPARE(plays.count(), 0);
    }

    void coloursComeFromTheSettings()
    {
        QTest::mouseClick(m_board->imgBonusV, Qt::LeftButton);
        qint32 colour = 0;
        for (qint32 *setting : {&Settings.FormBack, &Settings.LEDBack, &Settings.TimeColor, &Settings.ScoreColor,
                                &Settings.PeriodColor, &Settings.BorderColor, &Settings.HomeColor, &Settings.VisitorColor})
            *setting = colour += 0x101010;
        m_board->UpdateFormColors();
        QCOMPARE(m_board->palette().color(QPalette::Window), QColor(0x10, 0x10, 0x10));
        const QList<qint32> lit {m_board->pledTime[3]->LitColor(), m_board->pledVisitorScore[2]->LitColor(),
                                 m_board->pledPeriod[0]->LitColor(), m_board->pledPeriod[0]->BackColor(),
                                 m_board->picHomeScore->BackColor(), m_board->lblPeriod->ForeColor(),
                                 m_board->lblHome->ForeColor(), m_board->lblVisitor->ForeColor(),
                                 m_board->shpTime[0]->FillColor(), m_board->shpBonusV->FillColor()};
        QCOMPARE(lit, (QList<qint32> {0x303030, 0x404040, 0x505050, 0x202020, 0x202020, 0x606060, 0x707070,
                                      0x808080, 0x606060, 0x101010})); // every indicator goes out
    }

private:
    // What the operator sees, in the words the table uses.
    QMap<QString, QString> observed() const
    {
        const auto digits = [](const LedGroup &group, bool fromHighest) {
            QString text;
            for (const PolyLED *cell : group)
                text.insert(fromHighest ? 0 : text.size(), cell->Caption() < 0 ? u"-"_s : QString::number(cell->Caption()));
            return text;
        };
        QString lamps;
        for (const Shape *lamp : {m_board->shpPossH, m_board->shpPossV, m_board->shpBonusH, m_board->shpBonusV})
            lamps += lamp->FillColor() == Settings.ScoreColor ? u'1' : u'0';
        QString mark;
        for (const PolyLED *cell : m_board->findChildren<PolyLED *>())
            if (cell->Marked())
                mark = cell->objectName();
        const QWidget *focused = QApplication::focusWidget();
        return {{u"clock"_s, digits(m_board->pledTime, false)},
                {u"colon"_s, QString::number(m_board->shpTime[0]->FillColor() == Settings.BorderColor)},
                {u"run"_s, QString::number(IsCounting(0) != 0)},
                {u"ticking"_s, QString::number(m_board->tmrClock->isActive())},
                {u"time"_s, QString::number(m_board->ClockTime != 0)},
                {u"plays"_s, QString::number(m_plays->count())},
                {u"help"_s, QString::number(m_help->count())},
                {u"options"_s, QString::number(m_options->count())},
                {u"home"_s, digits(m_board->pledHomeScore, true).remove(u'-')},
                {u"lamps"_s, lamps},
                {u"focus"_s, focused ? focused->objectName() : QString()},
                {u"mark"_s, mark}};
    }

    std::unique_ptr<SteppedClock> m_clock;
    std::unique_ptr<frmScoreboard> m_board;
    std::unique_ptr<QSignalSpy> m_plays;
    std::unique_ptr<QSignalSpy> m_help;
    std::unique_ptr<QSignalSpy> m_options;
};

QUORVANE_TEST(BoardTest)
#include "BoardTest.moc"
