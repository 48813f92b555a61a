#include "clock/modCount.h"
#include "clock/modShowDigits.h"
#include "clock/ShowTime.h"
#include "clock/TimeOfDay.h"
#include "support/ClockValueText.h"
#include "support/FakeDigitGroup.h"
#include "support/FakeDotPair.h"
#include "support/SteppedClock.h"
#include "support/TestRegistry.h"

#include <QTest>

#include <ctime>

using namespace Qt::Literals::StringLiterals;

using Cells = QList<int>;
using Picture = std::array<int, 4>;
Q_DECLARE_METATYPE(Picture)

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
    QList<qint16> dispatched;

    FakeDigitGroup *Type(const QString &keys)
    {
        FakeDigitGroup *focused = &home;
        const KeyDispatch dispatch = [this](qint16 key) { dispatched << key; };
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
                TimeEntryKey(time, code, 5999, 0, 0, dots, dispatch);
            else
                DigitEntryKey(*focused, code, 0, focused == &period ? 4 : 199, dispatch);
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
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<qint64>("milliseconds");
        QTest::addColumn<qint32>("countUp");
        QTest::addColumn<int>("jump"); // hours the system time is moved by halfway through
        QTest::addColumn<ClockValue>("value");
        const QDateTime noon(QDate(2026, 3, 7), QTime(12, 0));
        QTest::newRow("0.1 s across a second: .950 to 1.050") << noon.addMSecs(950) << 100LL << 0 << 0 << Tenths(5999);
        QTest::newRow("within one tenth") << noon << 99LL << 0 << 0 << Seconds(600);
        QTest::newRow("a millisecond across a tenth's edge") << noon.addMSecs(199) << 1LL << 0 << 0 << Seconds(600);
        QTest::newRow("read's tenth below the start's") << noon.addMSecs(900) << 1200LL << 0 << 0 << Tenths(5988);
        QTest::newRow("count up from the preset") << noon << 2500LL << 1 << 0 << Tenths(6025);
        // 02:30 summer time on the night the clocks go back; 40 minutes later the wall reads 02:10.
        QTest::newRow("inside the repeated autumn hour")
            << QDateTime(QDate(2026, 10, 25), QTime(0, 30), Qt::UTC) << 2'400'000LL << 1 << 0 << Seconds(3000);
        QTest::newRow("system time set back an hour") << noon << 10'000LL << 0 << -1 << Seconds(590);
        QTest::newRow("system time a day ahead") << noon << 10'000LL << 0 << 24 << Seconds(590);
    }
    void run()
    {
        QFETCH(QDateTime, start);
        QFETCH(qint64, milliseconds);
        QFETCH(qint32, countUp);
        QFETCH(int, jump);
        QFETCH(ClockValue, value);
        SteppedClock clock(start);
        SetCount(Seconds(600), countUp, 0);
        StartCount(0);
        clock.Advance(milliseconds / 2);
        clock.SetWall(clock.Wall().addSecs(jump * 3600));
        clock.Advance(milliseconds - milliseconds / 2);
        QCOMPARE(GetCount(0), value);
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
        clock.Advance(3000);
        QCOMPARE(GetCount(0), Seconds(597));
        StopCount(0);
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
        // Slot numbers outside 0-4 touch nothing.
        const auto before = CountSlots;
        for (const qint16 slot : {qint16(5), qint16(-1)}) {
            QCOMPARE(GetCount(slot), ClockValue());
            StartCount(slot);
            SetCount(Seconds(30), 1, slot);
        }
        QVERIFY(CountSlots == before);
    }

    void typing_data()
    {
        // The last display typed on shows the cells (where the row gives them); the clock's reset time stays
        // 600, and the clock running, unless a clock entry was accepted.
        QTest::addColumn<QString>("keys");
        QTest::addColumn<Cells>("shown");
        QTest::addColumn<ClockValue>("resetTime");
        const ClockValue none = Seconds(600);
        QTest::newRow("clock: 7.30 shows 7:30") << u"T7.30\r"_s << Cells {-1, 7, 3, 0} << Seconds(450);
        QTest::newRow("clock: seconds only") << u"T.30\r"_s << Cells {3, 0, 0, -1} << Seconds(30);
        QTest::newRow("clock: third seconds digit is tenths") << u"T12.345\r"_s << Cells {} << Tenths(7545);
        QTest::newRow("clock: seconds above 59 add on") << u"T1.75\r"_s << Cells {} << Seconds(135);
        QTest::newRow("clock: 99.59 is the largest") << u"T99.59\r"_s << Cells {9, 9, 5, 9} << Seconds(5999);
        QTest::newRow("clock: 99.595 is above 99:59") << u"T99.595\r"_s << Cells {1, 0, 0, 0} << none;
        QTest::newRow("clock: minutes above 99") << u"T100\r"_s << Cells {} << none;
        QTest::newRow("clock: three parts") << u"T1.2.3\r"_s << Cells {} << none;
        QTest::newRow("clock: nine characters") << u"T000000099\r"_s << Cells {} << none;
        QTest::newRow("clock: space discards what came before") << u"T12 7.30\r"_s << Cells {} << Seconds(450);
        QTest::newRow("clock: half an entry dropped on a score") << u"T5H12\rT.30\r"_s << Cells {} << Seconds(30);
        QTest::newRow("clock: half an entry dropped, focus away") << u"T5XT.30\r"_s << Cells {} << Seconds(30);
        QTest::newRow("12, then 1 5 Enter sets 15") << u"12\r15\r"_s << Cells {5, 1, -1} << none;
        QTest::newRow("12, then + 3 adds at once") << u"12\r+3"_s << Cells {5, 1, -1} << none;
        QTest::newRow("198, then + 3 would pass 199") << u"198\r+3"_s << Cells {8, 9, 1} << none;
        QTest::newRow("250 is above 199") << u"12\r250\r"_s << Cells {2, 1, -1} << none;
        QTest::newRow("+ 1 2 Enter: the 2 starts a new entry") << u"10\r+12\r"_s << Cells {2, -1, -1} << none;
        QTest::newRow("leading zeros dropped, 105 to 7") << u"105\r007\r"_s << Cells {7, -1, -1} << none;
        QTest::newRow("a digit run wrapping in 64 bits") << u"12\r18446744073709551617\r"_s << Cells {2, 1, -1} << none;
        QTest::newRow("a step wrapping in 64 bits") << u"12\r+-18446744073709551621\r"_s << Cells {2, 1, -1} << none;
        QTest::newRow("period: 3 at once, 5 above 4, + 1") << u"P35+1"_s << Cells {4} << none;
        QTest::newRow("period: a command key applies nothing") << u"P2s"_s << Cells {2} << none;
        QTest::newRow("home 1, clock set, home 5 Enter") << u"1T7\rH5\r"_s << Cells {5, -1, -1} << Seconds(420);
        QTest::newRow("home 1, focus away and back, 5 Enter") << u"1XH5\r"_s << Cells {5, -1, -1} << none;
    }
    void typing()
    {
        QFETCH(QString, keys);
        QFETCH(Cells, shown);
        QFETCH(ClockValue, resetTime);
        ClockResetTime = Seconds(600);
        SetCount(ClockResetTime, 0, 0);
        StartCount(0);
        Board board;
        const FakeDigitGroup *last = board.Type(keys);
        if (!shown.isEmpty())
            QCOMPARE(last->Captions(), shown);
        QCOMPARE(ClockResetTime, resetTime);
        // An accepted clock entry presets and stops the clock.
        QCOMPARE(IsCounting(0), resetTime == Seconds(600) ? qint16(-1) : qint16(0));
        // Every key reached the board's own handler first, once.
        QCOMPARE(board.dispatched.size(), keys.size() - keys.count(QRegularExpression(u"[HVPTX]"_s)));
    }

    void picture_data()
    {
        QTest::addColumn<ClockValue>("value");
        QTest::addColumn<bool>("timeOfDay");
        QTest::addColumn<Picture>("cells");
        QTest::addColumn<bool>("colon");
        QTest::newRow("600 -> 10:00") << Seconds(600) << false << Picture {1, 0, 0, 0} << true;
        QTest::newRow("599.9 -> 10:00, the second it is in") << Tenths(5999) << false << Picture {1, 0, 0, 0} << true;
        QTest::newRow("61.3 -> 1:02") << Tenths(613) << false << Picture {-1, 1, 0, 2} << true;
        QTest::newRow("60.0 -> 1:00") << Seconds(60) << false << Picture {-1, 1, 0, 0} << true;
        QTest::newRow("59.9 in tenths") << Tenths(599) << false << Picture {5, 9, 9, -1} << false;
        QTest::newRow("5.0 leading blank") << Seconds(5) << false << Picture {-1, 5, 0, -1} << false;
        QTest::newRow("below 0 shows 0.0") << Tenths(-1) << false << Picture {-1, 0, 0, -1} << false;
        QTest::newRow("past 99:59 stays 99:59") << Seconds(100000) << false << Picture {9, 9, 5, 9} << true;
        QTest::newRow("time 14:35") << Seconds(875) << true << Picture {1, 4, 3, 5} << true;
        QTest::newRow("time 0:02 never 2.0") << Seconds(2) << true << Picture {-1, 0, 0, 2} << true;
    }
    void picture()
    {
        QFETCH(ClockValue, value);
        QFETCH(bool, timeOfDay);
        QFETCH(Picture, cells);
        QFETCH(bool, colon);
        const ClockPicture picture = timeOfDay ? TimeOfDayPicture(value) : ClockPictureFor(value);
        QCOMPARE(picture.Cells, cells);
        QCOMPARE(picture.UpperDotLit, colon);
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
