#include "clock/modCount.h"
#include "support/ClockValueText.h"
#include "support/SteppedClock.h"
#include "support/TestRegistry.h"

#include <QTest>

#include <ctime>

using namespace Qt::Literals::StringLiterals;

// The counter slots against stepped clocks: how long a run has lasted, run-out, start, stop and preset.
class CountTest : public QObject
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
        QTest::addColumn<ClockValue>("value");
        const QDateTime noon(QDate(2026, 3, 7), QTime(12, 0));
        QTest::newRow("0.1 s across a second: .950 to 1.050") << noon.addMSecs(950) << 100LL << 0 << Tenths(5999);
        QTest::newRow("within one tenth") << noon << 99LL << 0 << Seconds(600);
        QTest::newRow("one millisecond into the next tenth") << noon.addMSecs(199) << 1LL << 0 << Tenths(5999);
        QTest::newRow("read's tenth below the start's") << noon.addMSecs(900) << 1200LL << 0 << Tenths(5988);
        QTest::newRow("count up from the preset") << noon << 2500LL << 1 << Tenths(6025);
        // 02:30 summer time on the night the clocks go back; 40 minutes later the wall reads 02:10.
        QTest::newRow("inside the repeated autumn hour")
            << QDateTime(QDate(2026, 10, 25), QTime(0, 30), Qt::UTC) << 2'400'000LL << 1 << Seconds(3000);
    }
    void run()
    {
        QFETCH(QDateTime, start);
        QFETCH(qint64, milliseconds);
        QFETCH(qint32, countUp);
        QFETCH(ClockValue, value);
        SteppedClock clock(start);
        SetCount(Seconds(600), countUp, 0);
        StartCount(0);
        clock.Advance(milliseconds);
        QCOMPARE(GetCount(0), value);
    }

    void systemTimeChangesDoNotMoveTheGame_data()
    {
        QTest::addColumn<qint64>("jump");
        QTest::newRow("network correction +60 s") << 60'000LL;
        QTest::newRow("operator sets it back an hour") << -3'600'000LL;
        QTest::newRow("a day ahead") << 86'400'000LL;
        QTest::newRow("a day back") << -86'400'000LL;
    }
    void systemTimeChangesDoNotMoveTheGame()
    {
        QFETCH(qint64, jump);
        const QDateTime start(QDate(2026, 3, 7), QTime(9, 5, 3, 42));
        SteppedClock clock(start);
        SetCount(Seconds(300), 0, 0);
        StartCount(0);
        clock.Advance(5000);
        QCOMPARE(GetCount(0), Seconds(295));

        // WHEN the wall clock jumps while the game clock runs, and the game goes on for 5 s
        clock.SetWall(start.addMSecs(5000 + jump));
        clock.Advance(5000);

        // THEN only the 10 real seconds have run, and the start stamp still names the start
        QCOMPARE(GetCount(0), Seconds(290));
        QCOMPARE(CountSlots[0].StartStamp, u"3/7/2026 9:5:3"_s);
    }

    void runOutStaysZeroUntilPreset()
    {
        SteppedClock clock(QDateTime(QDate(2026, 3, 7), QTime(12, 0)));
        SetCount(Seconds(10), 0, 0);
        StartCount(0);
        clock.Advance(10300);
        QCOMPARE(GetCount(0), ClockValue());
        // Stopped and started again, it still reads 0 until the clock is preset anew.
        StopCount(0);
        StartCount(0);
        clock.Advance(2000);
        QCOMPARE(GetCount(0), ClockValue());
        SetCount(Seconds(5), 0, 0);
        QCOMPARE(GetCount(0), Seconds(5));
    }

    void stopStartStopWithoutARead()
    {
        SteppedClock clock(QDateTime(QDate(2026, 3, 7), QTime(12, 0)));
        SetCount(Seconds(600), 0, 0);
        StartCount(0);
        clock.Advance(3000);
        QCOMPARE(GetCount(0), Seconds(597));
        StopCount(0);
        // WHEN it is started and stopped again before any read (two quick key presses)
        StartCount(0);
        clock.Advance(20);
        StopCount(0);
        // THEN the first run is counted once
        QCOMPARE(GetCount(0), Seconds(597));
        // AND a preset of a running clock stops it and forgets the run
        StartCount(0);
        clock.Advance(3000);
        QCOMPARE(GetCount(0), Seconds(594));
        SetCount(Seconds(120), 0, 0);
        clock.Advance(10000);
        QCOMPARE(GetCount(0), Seconds(120));
    }

    void slotOutsideTheRangeTouchesNothing()
    {
        SetCount(Seconds(100), 0, 1);
        const auto before = CountSlots;
        for (const qint16 slot : {qint16(5), qint16(-1)}) {
            QCOMPARE(GetCount(slot), ClockValue());
            StartCount(slot);
            SetCount(Seconds(30), 1, slot);
            QCOMPARE(IsCounting(slot), qint16(0));
        }
        QVERIFY(CountSlots == before);
    }
};

QUORVANE_TEST(CountTest)
#include "CountTest.moc"
