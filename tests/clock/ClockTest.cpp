#include "modCount.h"
#include "modShowDigits.h"
#include "ShowTime.h"
#include "TimeOfDay.h"
#include "support/ClockValueText.h"
#include "support/FakeDigitGroup.h"
#include "support/FakeDotPair.h"
#include "support/SteppedClock.h"

#include <QTest>

#include <ctime>

using namespace Qt::Literals::StringLiterals;

using Cells = QList<int>;
// One table row each: a line typed on the board, a value drawn.
struct Typed { QString keys; Cells shown; ClockValue resetTime; };
struct Drawn { ClockValue value; std::array<int, 4> cells; bool colon; };
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

    // Steps on the game clock (slot 0) against a stepped clock that starts at noon: "p<s>" presets it to count
    // down from that many seconds, "u<s>" to count up; "s" starts and "x" stops it; "+<ms>" lets time pass;
    // "w<ISO time>" sets the wall clock; "=<tenths>" reads it; "n<ms>" is the wait until its picture changes;
    // "t<stamp>" the wall time of its last start ("_" a space); "!" tries slots outside 0-4, which touch nothing.
    void run_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::newRow("0.1 s across a second: .950 to 1.050") << u"+950 p600 s +100 =5999"_s;
        QTest::newRow("within one tenth") << u"p600 s +99 =6000"_s;
        QTest::newRow("a millisecond across a tenth's edge") << u"+199 p600 s +1 =6000"_s;
        QTest::newRow("read's tenth below the start's") << u"+900 p600 s +1200 =5988"_s;
        QTest::newRow("count up from the preset") << u"u600 s +2500 =6025"_s;
        // 02:30 summer time on the night the clocks go back; 40 minutes later the wall reads 02:10.
        QTest::newRow("inside the repeated autumn hour") << u"w2026-10-25T00:30:00Z u600 s +2400000 =30000"_s;
        QTest::newRow("run out, stopped and started: still 0") << u"p10 s t3/7/2026_12:0:0 +10300 =0 x s +2000 =0"_s;
        QTest::newRow("9:57 shows until 596.0 s; stopped, never changes") << u"p600 s +3050 =5970 n950 x n0"_s;
        QTest::newRow("two quick presses count the run once") << u"p600 s +3050 x s +20 x =5970"_s;
        QTest::newRow("a preset stops a running clock") << u"p600 s +3000 p120 +10000 =1200"_s;
        QTest::newRow("slots outside 0-4") << u"p600 s +10 !"_s;
    }
    void run()
    {
        QFETCH(QString, steps);
        SteppedClock clock(QDateTime(QDate(2026, 3, 7), QTime(12, 0)));
        for (const QString &step : steps.split(u' ')) {
            const QString arg = step.mid(1);
            switch (step.front().unicode()) {
            case u'p': case u'u': SetCount(Seconds(arg.toInt()), step.front() == u'u', 0); break;
            case u's': StartCount(0); break;
            case u'x': StopCount(0); break;
            case u'+': clock.Advance(arg.toLongLong()); break;
            case u'w': clock.SetWall(QDateTime::fromString(arg, Qt::ISODate)); break;
            case u'=': QCOMPARE(GetCount(0), Tenths(arg.toInt())); break;
            case u'n': QCOMPARE(NextPictureIn(0), arg.toInt()); break;
            case u't': QCOMPARE(CountSlots[0].StartStamp, QString(arg).replace(u'_', u' ')); break;
            default:
                const auto before = CountSlots;
                for (const qint16 slot : {qint16(5), qint16(-1)}) {
                    StartCount(slot);
                    SetCount(Seconds(30), 1, slot);
                    QCOMPARE(GetCount(slot), ClockValue());
                }
                QVERIFY(CountSlots == before);
            }
        }
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
        QTest::newRow("12, then - 3 takes away at once") << Typed {u"12\r-3"_s, {9, -1, -1}, none};
        QTest::newRow("2, then - 3 would go below 0") << Typed {u"2\r-3"_s, {2, -1, -1}, none};
        QTest::newRow("3 space 4 Enter: the space drops the 3") << Typed {u"12\r3 4\r"_s, {4, -1, -1}, none};
        QTest::newRow("198, then + 3 would pass 199") << Typed {u"198\r+3"_s, {8, 9, 1}, none};
        QTest::newRow("250 is above 199") << Typed {u"12\r250\r"_s, {2, 1, -1}, none};
        QTest::newRow("+ 1 2 Enter: the 2 starts a new entry") << Typed {u"10\r+12\r"_s, {2, -1, -1}, none};
        QTest::newRow("leading zeros dropped, 105 to 7") << Typed {u"105\r007\r"_s, {7, -1, -1}, none};
        QTest::newRow("a digit run wrapping in 64 bits") << Typed {u"12\r18446744073709551617\r"_s, {2, 1, -1}, none};
        QTest::newRow("a step wrapping in 64 bits") << Typed {u"12\r+-18446744073709551621\r"_s, {2, 1, -1}, none};
        QTest::newRow("period: 3 at once, 5 above 4, + 1") << Typed {u"P35+1"_s, {4}, none};
        QTest::newRow("period: 3, - 1") << Typed {u"P3-1"_s, {2}, none};
        QTest::newRow("period: a space drops the sign") << Typed {u"P3+ 1"_s, {1}, none};
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

QTEST_GUILESS_MAIN(ClockTest)
#include "ClockTest.moc"
