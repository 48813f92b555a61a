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

using Cells = QList<int>;

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
    }
    void cleanup()
    {
        m_plays.reset();
        m_board.reset();
        m_clock.reset();
    }

    void dispatch_data()
    {
        QTest::addColumn<QList<int>>("keys"); // start/stop, reset, switch, buzzer
        QTest::addColumn<int>("typed");
        QTest::addColumn<QString>("action");
        const QList<int> defaults {115, 114, 99, 98};
        QTest::newRow("s starts") << defaults << 115 << u"start"_s;
        QTest::newRow("c switches") << defaults << 99 << u"switch"_s;
        QTest::newRow("b sounds") << defaults << 98 << u"buzzer"_s;
        QTest::newRow("h helps") << defaults << 104 << u"help"_s;
        QTest::newRow("o options") << defaults << 111 << u"options"_s;
        QTest::newRow("S is not s") << defaults << 83 << u""_s;
        QTest::newRow("H is not h") << defaults << 72 << u""_s;
        QTest::newRow("equal keys: the earlier row wins") << QList<int> {115, 115, 99, 98} << 115 << u"start"_s;
        QTest::newRow("switch key h beats help") << QList<int> {115, 114, 104, 98} << 104 << u"switch"_s;
        QTest::newRow("moved start key") << QList<int> {83, 114, 99, 98} << 83 << u"start"_s;
    }
    void dispatch()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, typed);
        QFETCH(QString, action);
        Settings.StartStopClockKey = qint16(keys[0]);
        Settings.ResetClockKey = qint16(keys[1]);
        Settings.ClockSwitchKey = qint16(keys[2]);
        Settings.BuzzerKey = qint16(keys[3]);
        QSignalSpy help(m_board.get(), &frmScoreboard::helpRequested);
        QSignalSpy options(m_board.get(), &frmScoreboard::optionsRequested);
        m_board->AllKeyPress(qint16(typed));
        QStringList happened;
        for (const auto &[name, seen] : {std::pair {u"start"_s, IsCounting(0) != 0}, {u"switch"_s, m_board->ClockTime != 0},
                                         {u"buzzer"_s, m_plays->count() > 0}, {u"help"_s, help.count() > 0},
                                         {u"options"_s, options.count() > 0}})
            if (seen)
                happened << name;
        QCOMPARE(happened, action.isEmpty() ? QStringList() : QStringList {action});
    }

    void commandKeyOnAFocusedCellActsOnce_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<int>("cell");
        QTest::newRow("period") << u"pledPeriod"_s << 0;
        QTest::newRow("clock, last cell") << u"pledTime"_s << 3;
        QTest::newRow("home hundreds") << u"pledHomeScore"_s << 2;
        QTest::newRow("no display") << QString() << 0;
    }
    void commandKeyOnAFocusedCellActsOnce()
    {
        QFETCH(QString, group);
        QFETCH(int, cell);
        QWidget *target = group.isEmpty() ? static_cast<QWidget *>(m_board.get()) : groupNamed(group)->at(cell);
        target->setFocus();
        // A toggle shows a double dispatch: twice would bring it back. A held key acts once too.
        QTest::keyClick(target, Qt::Key_C);
        QCOMPARE(m_board->ClockTime, qint16(-1));
        QTest::keyPress(target, Qt::Key_S);
        for (int repeat = 0; repeat < 3; ++repeat) {
            QKeyEvent held(QEvent::KeyPress, Qt::Key_S, Qt::NoModifier, u"s"_s, true);
            QApplication::sendEvent(target, &held);
        }
        QCOMPARE(IsCounting(0), qint16(-1));
    }

    void indicators_data()
    {
        QTest::addColumn<QString>("clicks"); // home and visitor possession, then bonus: H V h v
        QTest::addColumn<QList<bool>>("lit"); // possession H, V, bonus H, V
        QTest::newRow("home lights") << u"H"_s << QList<bool> {true, false, false, false};
        QTest::newRow("home twice puts it out") << u"HH"_s << QList<bool> {false, false, false, false};
        QTest::newRow("visitor takes it over") << u"HV"_s << QList<bool> {false, true, false, false};
        QTest::newRow("bonus apart from possession") << u"Hvh"_s << QList<bool> {true, false, true, false};
    }
    void indicators()
    {
        QFETCH(QString, clicks);
        QFETCH(QList<bool>, lit);
        const QList<Image *> areas {m_board->imgPossH, m_board->imgPossV, m_board->imgBonusH, m_board->imgBonusV};
        for (const QChar click : clicks)
            QTest::mouseClick(areas[u"HVhv"_s.indexOf(click)], Qt::LeftButton);
        const QList<Shape *> lamps {m_board->shpPossH, m_board->shpPossV, m_board->shpBonusH, m_board->shpBonusV};
        for (qsizetype i = 0; i < lamps.size(); ++i)
            QCOMPARE(lamps[i]->FillColor(), lit[i] ? Settings.ScoreColor : Settings.FormBack);
    }

    void tabVisitsEachDisplayOnceEitherWay()
    {
        const QStringList forwards {u"pledTime"_s, u"pledVisitorScore"_s, u"pledHomeScore"_s, u"pledPeriod"_s};
        QCOMPARE(QApplication::focusWidget(), m_board->pledPeriod[0]);
        for (const QString &display : forwards) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), display);
            QVERIFY(groupNamed(display)->at(groupNamed(display)->UBound())->Marked());
            QCOMPARE(m_board->pledTime[0]->Marked(), display == u"pledTime");
        }
        for (qsizetype i = forwards.size() - 2; i >= -1; --i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(QApplication::focusWidget()->objectName(), i < 0 ? forwards.last() : forwards[i]);
        }
    }

    void clickedPanelAndLeavingFocus()
    {
        // GIVEN 1 typed on the home score, then the operator tabs away and back
        QTest::mouseClick(m_board->picHomeScore, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(QApplication::focusWidget(), m_board->pledHomeScore[0]);
        typeOn(m_board->pledHomeScore[0], "1");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        // WHEN 5 and Enter follow THEN the score is 5, not 15
        typeOn(m_board->pledHomeScore[0], "5\r");
        QCOMPARE(m_board->pledHomeScore[0]->Caption(), 5);
        QCOMPARE(m_board->pledHomeScore[1]->Caption(), -1);
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

    void runOutSoundsOnceUntilTheClockIsSetAgain()
    {
        SetCount(Tenths(3), 0, 0);
        m_board->AllKeyPress(115);
        tick(5);
        QCOMPARE(m_plays->count(), 0);
        tick();
        QCOMPARE(m_plays->count(), 1);
        QCOMPARE(clockCells(), (Cells {-1, 0, 0, -1}));
        tick(100);
        QCOMPARE(m_plays->count(), 1);
        // A reset and a second run-out sound again, as does a typed 0 at the next tick.
        m_board->AllKeyPress(114);
        SetCount(Tenths(1), 0, 0);
        m_board->AllKeyPress(115);
        tick(3);
        QCOMPARE(m_plays->count(), 2);
        // A reset stops the clock at the last time typed on it.
        typeOn(m_board->pledTime[0], "7.30\r");
        m_board->AllKeyPress(115);
        tick();
        m_board->AllKeyPress(114);
        QCOMPARE(IsCounting(0), qint16(0));
        QCOMPARE(clockCells(), (Cells {-1, 7, 3, 0}));
        typeOn(m_board->pledTime[0], "0\r");
        tick();
        QCOMPARE(m_plays->count(), 3);
    }

    void timeOfDayShownWhileTheGameRunsOn_data()
    {
        QTest::addColumn<QTime>("now");
        QTest::addColumn<Cells>("cells");
        // The test runs in the C locale, whose short time format is 24-hour.
        QTest::newRow("afternoon") << QTime(14, 35) << Cells {1, 4, 3, 5};
        QTest::newRow("two past midnight") << QTime(0, 2) << Cells {-1, 0, 0, 2};
    }
    void timeOfDayShownWhileTheGameRunsOn()
    {
        QFETCH(QTime, now);
        QFETCH(Cells, cells);
        SetCount(Seconds(2), 0, 0);
        m_board->AllKeyPress(115);
        m_board->AllKeyPress(99);
        m_clock->SetWall(QDateTime(QDate(2026, 12, 6), now));
        tick(40);
        QCOMPARE(clockCells(), cells);
        QCOMPARE(m_board->shpTime[0]->FillColor(), Settings.BorderColor);
        // The game clock ran out unseen and the buzzer still sounded.
        QCOMPARE(m_plays->count(), 1);
    }

    void systemTimeJumpsLeaveTheGameClockAlone()
    {
        m_board->AllKeyPress(115);
        tick(20);
        for (int hours : {3, -5, 26}) {
            m_clock->SetWall(m_clock->Wall().addSecs(hours * 3600));
            tick(20);
        }
        QCOMPARE(clockCells(), (Cells {-1, 9, 5, 6})); // 4 s run: 9:56
        QCOMPARE(m_plays->count(), 0);
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
        tick();
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
    void tick(int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            m_clock->Advance(50);
            QMetaObject::invokeMethod(m_board->tmrClock, "timeout");
        }
    }
    Cells clockCells() const
    {
        Cells cells;
        for (const PolyLED *cell : m_board->pledTime)
            cells << cell->Caption();
        return cells;
    }
    LedGroup *groupNamed(const QString &name)
    {
        for (LedGroup *group : {&m_board->pledTime, &m_board->pledHomeScore, &m_board->pledVisitorScore, &m_board->pledPeriod})
            if (group->Name() == name)
                return group;
        return nullptr;
    }
    void typeOn(QWidget *cell, const char *keys)
    {
        cell->setFocus();
        for (const char *key = keys; *key; ++key) {
            if (*key == '\r')
                QTest::keyClick(cell, Qt::Key_Return);
            else
                QTest::keyClicks(cell, QString(QLatin1Char(*key)));
        }
    }

    std::unique_ptr<SteppedClock> m_clock;
    std::unique_ptr<frmScoreboard> m_board;
    std::unique_ptr<QSignalSpy> m_plays;
};

QUORVANE_TEST(BoardTest)
#include "BoardTest.moc"
