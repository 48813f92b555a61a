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

    FakeDigitGroup *focused = &home;

    // The board's own handler, which sees every key first, is left to the board's table.
    void Type(const QString &keys)
    {
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
    }
};

// Cells as the tables write them, cell 0 first: a digit each, "-" when dark.
QString CellsText(const QList<int> &cells)
{
    QString text;
    for (const int cell : cells)
        text += cell < 0 ? u'-' : QChar(u'0' + cell);
    return text;
}

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
    // "t<stamp>" the wall time of its last start; "!" tries slots outside 0-4, which touch nothing.
    // The typed entry on the board's displays in memory: "k<keys>" types them (see Board) on a clock of 10:00 reset
    // time, running; "c<cells>" is what the last display typed on shows; "r<tenths>" the clock's reset
    // time, the clock running unless an entry was accepted. "d<tenths>/<cells><: or .>" is the clock's picture
    // of a value, its colon lit or not; "o<text>/<s>" the time of day a clock text shows. "_" is a space.
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
        // The board's table types 7.30 and drops an entry when the focus moves, through the real displays.
        QTest::newRow("clock: seconds only") << u"kT.30\r c300- r300"_s;
        QTest::newRow("clock: third seconds digit is tenths") << u"kT12.345\r r7545"_s;
        QTest::newRow("clock: seconds above 59 add on") << u"kT1.75\r r1350"_s;
        QTest::newRow("clock: 99.59 is the largest") << u"kT99.59\r c9959 r59990"_s;
        QTest::newRow("clock: 99.595 is above 99:59") << u"kT99.595\r c1000 r6000"_s;
        QTest::newRow("clock: minutes above 99") << u"kT100\r r6000"_s;
        QTest::newRow("clock: three parts") << u"kT1.2.3\r r6000"_s;
        QTest::newRow("clock: nine characters") << u"kT000000099\r r6000"_s;
        QTest::newRow("clock: space discards what came before") << u"kT12_7.30\r r4500"_s;
        QTest::newRow("clock: half an entry dropped on a score") << u"kT5H12\rT.30\r r300"_s;
        QTest::newRow("clock: half an entry dropped, focus away") << u"kT5XT.30\r r300"_s;
        QTest::newRow("12, then 1 5 Enter sets 15") << u"k12\r15\r c51- r6000"_s;
        QTest::newRow("12, then + 3 adds at once") << u"k12\r+3 c51- r6000"_s;
        QTest::newRow("12, then - 3 takes away at once") << u"k12\r-3 c9-- r6000"_s;
        QTest::newRow("2, then - 3 would go below 0") << u"k2\r-3 c2-- r6000"_s;
        QTest::newRow("3 space 4 Enter: the space drops the 3") << u"k12\r3_4\r c4-- r6000"_s;
        QTest::newRow("198, then + 3 would pass 199") << u"k198\r+3 c891 r6000"_s;
        QTest::newRow("250 is above 199") << u"k12\r250\r c21- r6000"_s;
        QTest::newRow("+ 1 2 Enter: the 2 starts a new entry") << u"k10\r+12\r c2-- r6000"_s;
        QTest::newRow("leading zeros dropped, 105 to 7") << u"k105\r007\r c7-- r6000"_s;
        QTest::newRow("a digit run wrapping in 64 bits") << u"k12\r18446744073709551617\r c21- r6000"_s;
        QTest::newRow("a step wrapping in 64 bits") << u"k12\r+-18446744073709551621\r c21- r6000"_s;
        QTest::newRow("period: 3 at once, 5 above 4, + 1") << u"kP35+1 c4 r6000"_s;
        QTest::newRow("period: 3, - 1") << u"kP3-1 c2 r6000"_s;
        QTest::newRow("period: a space drops the sign") << u"kP3+_1 c1 r6000"_s;
        QTest::newRow("period: a command key applies nothing") << u"kP2s c2 r6000"_s;
        QTest::newRow("home 1, clock set, home 5 Enter") << u"k1T7\rH5\r c5-- r4200"_s;
        // The time of day's picture is drawn by the board's table, through the real clock display.
        QTest::newRow("pictures: whole seconds with a colon from 60 s, tenths below") << u"d6000/1000: d5999/1000: "
            "d613/-102: d600/-100: d599/599-. d50/-50-. d-1/-00-. d1000000/9959:"_s;
        // A format with no "h:mm" at its start shows the local clock's own hour and minute, 13:07.
        QTest::newRow("times of day") << u"w2026-03-07T13:07:09 o14:35/875 o2:35_PM/155 o14:35:10/875 o14.35/787 "
            "oPM_2:35/787 o24:00/787"_s;
    }
    void run()
    {
        QFETCH(QString, steps);
        SteppedClock clock(QDateTime(QDate(2026, 3, 7), QTime(12, 0)));
        Board board;
        for (const QString &step : steps.split(u' ')) {
            const QString arg = step.mid(1).replace(u'_', u' ');
            switch (step.front().unicode()) {
            case u'p': case u'u': SetCount(Seconds(arg.toInt()), step.front() == u'u', 0); break;
            case u's': StartCount(0); break;
            case u'x': StopCount(0); break;
            case u'+': clock.Advance(arg.toLongLong()); break;
            case u'w': clock.SetWall(QDateTime::fromString(arg, Qt::ISODate)); break;
            case u'=': QCOMPARE(GetCount(0), Tenths(arg.toInt())); break;
            case u'n': QCOMPARE(NextPictureIn(0), arg.toInt()); break;
            case u't': QCOMPARE(CountSlots[0].StartStamp, arg); break;
            case u'k':
                ClockResetTime = Seconds(600);
                SetCount(ClockResetTime, 0, 0);
                StartCount(0);
                board.Type(arg);
                break;
            case u'c': QCOMPARE(CellsText(board.focused->Captions()), arg); break;
            case u'r': // an accepted clock entry presets and stops the clock
                QCOMPARE(ClockResetTime, Tenths(arg.toInt()));
                QCOMPARE(IsCounting(0), arg == u"6000" ? qint16(-1) : qint16(0));
                break;
            case u'd': {
                const ClockPicture picture = ClockPictureFor(Tenths(arg.section(u'/', 0, 0).toInt()));
                QCOMPARE(CellsText(QList<int>(picture.Cells.begin(), picture.Cells.end())) + (picture.UpperDotLit ? u':' : u'.'),
                         arg.section(u'/', 1));
                break;
            }
            case u'o': QCOMPARE(TimeOfDayValue(arg.section(u'/', 0, 0)), Seconds(arg.section(u'/', 1).toInt())); break;
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
};

QTEST_GUILESS_MAIN(ClockTest)
#include "ClockTest.moc"
