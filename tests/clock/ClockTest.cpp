#include "modCount.h"
#include "ShowTime.h"
#include "TimeOfDay.h"
#include "support/ClockValueText.h"
#include "support/SteppedClock.h"

#include <QTest>

#include <ctime>

using namespace Qt::Literals::StringLiterals;

// Cells as the tables write them, cell 0 first: a digit each, "-" when dark.
static QString CellsText(const QList<int> &cells)
{
    QString text;
    for (const int cell : cells)
        text += cell < 0 ? u'-' : QChar(u'0' + cell);
    return text;
}

// The counters against stepped clocks, the clock's picture and the time of day.
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
    // "d<tenths>/<cells><: or .>" is the clock's picture of a value, its colon lit or not; "o<text>/<s>" the time of
    // day a clock text shows. "_" is a space. The typed entry is the board's table's.
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
