#include "modCount.h"
#include "modShowDigits.h"
#include "ShowTime.h"
#include "TimeOfDay.h"
#include "support/ClockValueText.h"
#include "support/FakeDigitGroup.h"
#include "support/FakeDotPair.h"
#include "support/SteppedClock.h"
#include "support/TestRegistry.h"

#include <QTest>

#include <ctime>

using namespace Qt::Literals::StringLiterals;

using Cells = QList<int>;
// One table row each: the clock run for a while, a line typed on the board, a value drawn.
struct Run { QDateTime start; qint64 milliseconds; qint32 countUp; ClockValue value; };
struct Typed { QString keys; Cells shown; ClockValue resetTime; };
struct Drawn { ClockValue value; std::array<int, 4> cells; bool colon; };
Q_DECLARE_METATYPE(Run)
Q_DECLARE_METATYPE(Typed)
Q_DECLARE_METATYPE(Drawn)

namespace {

// The board's four displays in memory, typed on as the board routes keys: H, V, P and T move to the home
// score, visitor score, period and clock; X moves the focus away; "\r" is Enter; every other character is
// a key on the display.
struct Board
{
    FakeDigitGroup home {u"pledHomeScore"_s, {0, -1, -1}};
    FakeDigitGroup visitor {u"pledVisitorScore"_s, {0, -1, -1}};
    FakeDigitGroup period {u"pledPeriod"_s, {0}};
    FakeDigitGroup time {u"pledTime"_s, {1, 0, 0, 0}};
    FakeDotPair dots;

    // The board's own handler, which sees every key first, is left to the board's table.
    FakeDigitGroup *Type(const QString &keys)
    {
        FakeDigitGroup *focused = &home;
        for (const QChar key : keys) {
            if (key == u'X') { // the focus leaves the display
                ClearEntries();
                continue;
            }
            const qsizetype display = u"HVPT"_s.indexOf(key);
            if (display >= 0) {
                focused = std::array {&home, &visitor, &period, &time}[static_cast<std::size_t>(display)];
                continue;
            }
            const auto code = static_cast<qint16>(key.unicode());
            if (focused == &time)
                TimeEntryKey(time, code, 5999, 0, 0, dots, {});
            else
                DigitEntryKey(*focused, code, 0, focused == &period ? 4 : 199, {});
        }
        return focused;
    }
};

} // namespace

// The counters against stepped clocks, the clock's picture, and the typed entry of times, scores and period.
class ClockTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A zone with daylight-saving changes, so a run across one is really tested.
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }
    void init() { ResetGameState(); }

    void run_data()
    {
        // A jump of the system time is the board's table's business; the monotonic clock alone counts.
        QTest::addColumn<Run>("row");
        const QDateTime noon(QDate(2026, 3, 7), QTime(12, 0));
        QTest::newRow("0.1 s across a second: .950 to 1.050") << Run {noon.addMSecs(950), 100, 0, Tenths(5999)};
        QTest::newRow("within one tenth") << Run {noon, 99, 0, Seconds(600)};
        QTest::newRow("a millisecond across a tenth's edge") << Run {noon.addMSecs(199), 1, 0, Seconds(600)};
        QTest::newRow("read's tenth below the start's") << Run {noon.addMSecs(900), 1200, 0, Tenths(5988)};
        QTest::newRow("count up from the preset") << Run {noon, 2500, 1, Tenths(6025)};
        // 02:30 summer time on the night the clocks go back; 40 minutes later the wall reads 02:10.
        QTest::newRow("inside the repeated autumn hour")
            << Run {QDateTime(QDate(2026, 10, 25), QTime(0, 30), Qt::UTC), 2'400'000, 1, Seconds(3000)};
    }
    void run()
    {
        QFETCH(Run, row);
        SteppedClock clock(row.start);
        SetCount(Seconds(600), row.countUp, 0);
        StartCount(0);
        clock.Advance(row.milliseconds);
        QCOMPARE(GetCount(0), row.value);
    }

    void runOutStartStopAndPreset()
    {
        SteppedClock clock(QDateTime(QDate(2026, 3, 7), QTime(12, 0)));
        SetCount(Seconds(10), 0, 0);
        StartCount(0);
        QCOMPARE(CountSlots[0].StartStamp, u"3/7/2026 12:0:0"_s);
        clock.Advance(10300);
        QCOMPARE(GetCount(0), ClockValue());
        // Stopped and started again, a run-out clock still reads 0 until it is preset anew.
        StopCount(0);
        StartCount(0);
        clock.Advance(2000);
        QCOMPARE(GetCount(0), ClockValue());
        SetCount(Seconds(600), 0, 0);
        StartCount(0);
        clock.Advance(3050);
        QCOMPARE(GetCount(0), Tenths(5970));
        // 9:57 shows until 596.0 s, nine tenths and 50 ms on; a stopped clock's picture never changes by itself.
        QCOMPARE(NextPictureIn(0), 950);
        StopCount(0);
        QCOMPARE(NextPictureIn(0), 0);
        // Started and stopped again before any read (two quick key presses): the first run counts once.
        StartCount(0);
        clock.Advance(20);
        StopCount(0);
        QCOMPARE(GetCount(0), Seconds(597));
        // A preset of a running clock stops it and forgets the run.
        StartCount(0);
        clock.Advance(3000);
        SetCount(Seconds(120), 0, 0);
        clock.Advance(10000);
        QCOMPARE(GetCount(0), Seconds(120));
        // Slot numbers outside 0-4 touch nothing: the slots are an array a bad number would reach past.
        const auto before = CountSlots;
        for (const qint16 slot : {qint16(5), qint16(-1)}) {
            StartCount(slot);
            SetCount(Seconds(30), 1, slot);
            QCOMPARE(GetCount(slot), ClockValue());
        }
        QVERIFY(CountSlots == before);
    }

    void typing_data()
    {
        // The last display typed on shows the cells (where the row gives them); the clock's reset time stays
        // 600, and the clock running, unless a clock entry was accepted. The board's table types 7.30 and
        // drops an entry when the focus moves, through the real displays.
        QTest::addColumn<Typed>("row");
        const ClockValue none = Seconds(600);
        QTest::newRow("clock: seconds only") << Typed {u"T.30\r"_s, {3, 0, 0, -1}, Seconds(30)};
        QTest::newRow("clock: third seconds digit is tenths") << Typed {u"T12.345\r"_s, {}, Tenths(7545)};
        QTest::newRow("clock: seconds above 59 add on") << Typed {u"T1.75\r"_s, {}, Seconds(135)};
        QTest::newRow("clock: 99.59 is the largest") << Typed {u"T99.59\r"_s, {9, 9, 5, 9}, Seconds(5999)};
        QTest::newRow("clock: 99.595 is above 99:59") << Typed {u"T99.595\r"_s, {1, 0, 0, 0}, none};
        QTest::newRow("clock: minutes above 99") << Typed {u"T100\r"_s, {}, none};
        QTest::newRow("clock: three parts") << Typed {u"T1.2.3\r"_s, {}, none};
        QTest::newRow("clock: nine characters") << Typed {u"T000000099\r"_s, {}, none};
        QTest::newRow("clock: space discards what came before") << Typed {u"T12 7.30\r"_s, {}, Seconds(450)};
        QTest::newRow("clock: half an entry dropped on a score") << Typed {u"T5H12\rT.30\r"_s, {}, Seconds(30)};
        QTest::newRow("clock: half an entry dropped, focus away") << Typed {u"T5XT.30\r"_s, {}, Seconds(30)};
        QTest::newRow("12, then 1 5 Enter sets 15") << Typed {u"12\r15\r"_s, {5, 1, -1}, none};
        QTest::newRow("12, then + 3 adds at once") << Typed {u"12\r+3"_s, {5, 1, -1}, none};
        QTest::newRow("198, then + 3 would pass 199") << Typed {u"198\r+3"_s, {8, 9, 1}, none};
        QTest::newRow("250 is above 199") << Typed {u"12\r250\r"_s, {2, 1, -1}, none};
        QTest::newRow("+ 1 2 Enter: the 2 starts a new entry") << Typed {u"10\r+12\r"_s, {2, -1, -1}, none};
        QTest::newRow("leading zeros dropped, 105 to 7") << Typed {u"105\r007\r"_s, {7, -1, -1}, none};
        QTest::newRow("a digit run wrapping in 64 bits") << Typed {u"12\r18446744073709551617\r"_s, {2, 1, -1}, none};
        QTest::newRow("a step wrapping in 64 bits") << Typed {u"12\r+-18446744073709551621\r"_s, {2, 1, -1}, none};
        QTest::newRow("period: 3 at once, 5 above 4, + 1") << Typed {u"P35+1"_s, {4}, none};
        QTest::newRow("period: a command key applies nothing") << Typed {u"P2s"_s, {2}, none};
        QTest::newRow("home 1, clock set, home 5 Enter") << Typed {u"1T7\rH5\r"_s, {5, -1, -1}, Seconds(420)};
    }
    void typing()
    {
        QFETCH(Typed, row);
        ClockResetTime = Seconds(600);
        SetCount(ClockResetTime, 0, 0);
        StartCount(0);
        Board board;
        const FakeDigitGroup *last = board.Type(row.keys);
        if (!row.shown.isEmpty())
            QCOMPARE(last->Captions(), row.shown);
        QCOMPARE(ClockResetTime, row.resetTime);
        // An accepted clock entry presets and stops the clock.
        QCOMPARE(IsCounting(0), row.resetTime == Seconds(600) ? qint16(-1) : qint16(0));
    }

    void picture_data()
    {
        // The time of day's picture is drawn by the board's table, through the real clock display.
        QTest::addColumn<Drawn>("row");
        QTest::newRow("600 -> 10:00") << Drawn {Seconds(600), {1, 0, 0, 0}, true};
        QTest::newRow("599.9 -> 10:00, the second it is in") << Drawn {Tenths(5999), {1, 0, 0, 0}, true};
        QTest::newRow("61.3 -> 1:02") << Drawn {Tenths(613), {-1, 1, 0, 2}, true};
        QTest::newRow("60.0 -> 1:00") << Drawn {Seconds(60), {-1, 1, 0, 0}, true};
        QTest::newRow("59.9 in tenths") << Drawn {Tenths(599), {5, 9, 9, -1}, false};
        QTest::newRow("5.0 leading blank") << Drawn {Seconds(5), {-1, 5, 0, -1}, false};
        QTest::newRow("below 0 shows 0.0") << Drawn {Tenths(-1), {-1, 0, 0, -1}, false};
        QTest::newRow("past 99:59 stays 99:59") << Drawn {Seconds(100000), {9, 9, 5, 9}, true};
    }
    void picture()
    {
        QFETCH(Drawn, row);
        const ClockPicture picture = ClockPictureFor(row.value);
        QCOMPARE(picture.Cells, row.cells);
        QCOMPARE(picture.UpperDotLit, row.colon);
    }

    void timeOfDay_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<ClockValue>("value");
        QTest::newRow("24-hour 14:35") << u"14:35"_s << Seconds(875);
        QTest::newRow("12-hour keeps the hour as written") << u"2:35 PM"_s << Seconds(155);
        QTest::newRow("seconds shown") << u"14:35:10"_s << Seconds(875);
        // A format with no "h:mm" at its start shows the local clock's own hour and minute, 13:07.
        QTest::newRow("no colon") << u"14.35"_s << Seconds(787);
        QTest::newRow("marker before the hour") << u"PM 2:35"_s << Seconds(787);
        QTest::newRow("hour 24") << u"24:00"_s << Seconds(787);
    }
    void timeOfDay()
    {
        QFETCH(QString, text);
        QFETCH(ClockValue, value);
        SteppedClock clock(QDateTime(QDate(2026, 3, 7), QTime(13, 7)));
        QCOMPARE(TimeOfDayValue(text), value);
    }
};

QUORVANE_TEST(ClockTest)
#include "ClockTest.moc"
