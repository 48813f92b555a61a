#include "clock/modCount.h"
#include "support/ClockValueText.h"
#include "support/SteppedClock.h"

#include <QTest>

#include <ctime>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr ClockValue Seconds(qint64 seconds) { return ClockValue::FromSeconds(seconds); }
constexpr ClockValue Tenths(qint64 tenths) { return ClockValue::FromTenths(tenths); }

// A local wall-clock time written "yyyy-MM-dd HH:mm:ss.zzz".
QDateTime At(const QString &text)
{
    const QDateTime local = QDateTime::fromString(text, u"yyyy-MM-dd HH:mm:ss.zzz"_s);
    Q_ASSERT(local.isValid());
    return local;
}

const QString Noon = u"2026-03-07 12:00:00.000"_s;

} // namespace

// The five counter slots: reading a slot against the local clock, and start, stop and preset.
class tst_ModCount : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void stampText_data();
    void stampText();
    void startStampsTheLocalTime();

    void runWithinADay_data();
    void runWithinADay();
    void runAcrossTheCalendar_data();
    void runAcrossTheCalendar();
    void runInsideTheRepeatedAutumnHour();
    void systemClockSetBackMovesTheValue();
    void neverStartedSlotReadsPresetLessAccumulated();

    void countDownRunOut_data();
    void countDownRunOut();
    void runOutStaysZeroWhileRunningAndAfterStop();
    void countDownPresetZeroReadsZero();
    void countUpAddsElapsedTime();

    void stopFoldsInOnlyTheLastRead();
    void startThenStopWithoutReadAddsNothing();
    void restartThenStopWithoutReadCountsEarlierRunOnce();
    void restartContinuesFromTheStoppedValue();
    void startOnRunningSlotChangesNothing();
    void stopOnStoppedSlotChangesNothing();

    void setCountClearsBeforeStopping();
    void setCountKeepsStampsAndStoresFlag();

    void slotsAreIndependent();
    void slotOutsideTheRange_data();
    void slotOutsideTheRange();
};

void tst_ModCount::initTestCase()
{
    // A zone with daylight-saving changes, so runs across them are really tested.
    qputenv("TZ", "Europe/Berlin");
    tzset();
    QCOMPARE(At(u"2026-03-29 01:59:59.000"_s).secsTo(At(u"2026-03-29 03:00:01.000"_s)), 2);
}

void tst_ModCount::init()
{
    CountSlots = {};
}

void tst_ModCount::stampText_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<QString>("stamp");
    QTest::newRow("no leading zeros") << At(u"2026-03-07 09:05:03.000"_s) << u"3/7/2026 9:5:3"_s;
    QTest::newRow("midnight") << At(u"2026-01-01 00:00:00.000"_s) << u"1/1/2026 0:0:0"_s;
    QTest::newRow("last second of the year") << At(u"2025-12-31 23:59:59.999"_s) << u"12/31/2025 23:59:59"_s;
    QTest::newRow("two-digit fields") << At(u"2026-11-22 13:45:10.500"_s) << u"11/22/2026 13:45:10"_s;
}

void tst_ModCount::stampText()
{
    QFETCH(QDateTime, time);
    QFETCH(QString, stamp);
    SteppedClock clock(time);
    QCOMPARE(StampText(GetLocalTime()), stamp);
}

void tst_ModCount::startStampsTheLocalTime()
{
    SteppedClock clock(At(u"2026-03-07 09:05:03.042"_s));
    StartCount(0);
    QCOMPARE(CountSlots[0].StartStamp, u"3/7/2026 9:5:3"_s);
    QCOMPARE(CountSlots[0].StartMillis, u"42"_s);
    QCOMPARE(IsCounting(0), qint16(-1));
}

void tst_ModCount::runWithinADay_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("read");
    QTest::addColumn<ClockValue>("elapsed");
    QTest::newRow("tenths across a second boundary")
        << u"2026-03-07 12:00:00.950"_s << u"2026-03-07 12:00:01.050"_s << Tenths(1);
    QTest::newRow("within one tenth") << u"2026-03-07 12:00:00.000"_s << u"2026-03-07 12:00:00.099"_s << Tenths(0);
    QTest::newRow("one millisecond into the next tenth")
        << u"2026-03-07 12:00:00.199"_s << u"2026-03-07 12:00:00.200"_s << Tenths(1);
    QTest::newRow("whole seconds") << u"2026-03-07 10:00:00.500"_s << u"2026-03-07 10:00:07.500"_s << Seconds(7);
    QTest::newRow("current tenth below the start's")
        << u"2026-03-07 12:00:00.900"_s << u"2026-03-07 12:00:02.100"_s << Tenths(12);
    QTest::newRow("across a minute") << u"2026-03-07 12:00:59.300"_s << u"2026-03-07 12:01:00.200"_s << Tenths(9);
    QTest::newRow("across an hour") << u"2026-03-07 12:59:59.000"_s << u"2026-03-07 13:00:00.000"_s << Seconds(1);
    QTest::newRow("nine minutes") << u"2026-03-07 09:05:03.042"_s << u"2026-03-07 09:14:03.042"_s << Seconds(540);
}

void tst_ModCount::runWithinADay()
{
    QFETCH(QString, start);
    QFETCH(QString, read);
    QFETCH(ClockValue, elapsed);

    SteppedClock clock(At(start));
    SetCount(Seconds(600), 0, 0);
    StartCount(0);
    clock.Set(At(read));

    QCOMPARE(GetCount(0), Seconds(600) - elapsed);
    QCOMPARE(CountSlots[0].RunElapsed, elapsed);
}

void tst_ModCount::runAcrossTheCalendar_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("read");
    QTest::addColumn<ClockValue>("elapsed");
    QTest::newRow("midnight") << u"2026-03-07 23:59:59.500"_s << u"2026-03-08 00:00:01.200"_s << Tenths(17);
    QTest::newRow("end of a 31-day month") << u"2026-01-31 23:59:58.000"_s << u"2026-02-01 00:00:03.000"_s
                                           << Seconds(5);
    QTest::newRow("end of a 30-day month") << u"2026-04-30 23:59:59.000"_s << u"2026-05-01 00:00:00.000"_s
                                           << Seconds(1);
    QTest::newRow("end of February") << u"2026-02-28 23:59:59.000"_s << u"2026-03-01 00:00:01.000"_s << Seconds(2);
    QTest::newRow("into a leap day") << u"2028-02-28 23:59:59.000"_s << u"2028-02-29 00:00:01.000"_s << Seconds(2);
    QTest::newRow("out of a leap day") << u"2028-02-29 23:59:59.000"_s << u"2028-03-01 00:00:01.000"_s << Seconds(2);
    QTest::newRow("year end") << u"2025-12-31 23:59:59.900"_s << u"2026-01-01 00:00:00.000"_s << Tenths(1);
    QTest::newRow("month day order: 12 Jan to 1 Feb")
        << u"2026-01-12 12:00:00.000"_s << u"2026-02-01 12:00:00.000"_s << Seconds(20 * 86400);
    QTest::newRow("spring clock change skips 02:00-03:00")
        << u"2026-03-29 01:59:59.000"_s << u"2026-03-29 03:00:01.000"_s << Seconds(2);
    QTest::newRow("autumn clock change repeats 02:00-03:00")
        << u"2026-10-25 01:59:59.000"_s << u"2026-10-25 03:00:01.000"_s << Seconds(2 * 3600 + 2);
    QTest::newRow("two days") << u"2026-03-07 20:00:00.000"_s << u"2026-03-09 20:00:00.000"_s << Seconds(2 * 86400);
}

void tst_ModCount::runAcrossTheCalendar()
{
    QFETCH(QString, start);
    QFETCH(QString, read);
    QFETCH(ClockValue, elapsed);

    const ClockValue preset = Seconds(40 * 86400);
    SteppedClock clock(At(start));
    SetCount(preset, 0, 0);
    StartCount(0);
    clock.Set(At(read));

    QCOMPARE(GetCount(0), preset - elapsed);
    QCOMPARE(CountSlots[0].RunElapsed, elapsed);
}

void tst_ModCount::runInsideTheRepeatedAutumnHour()
{
    // GIVEN a start at 02:30 summer time on the night the clocks go back (00:30 UTC)
    SteppedClock clock(QDateTime(QDate(2026, 10, 25), QTime(0, 30), Qt::UTC));
    SetCount(Seconds(3600), 0, 0);
    StartCount(0);
    QCOMPARE(CountSlots[0].StartStamp, u"10/25/2026 2:30:0"_s);

    // WHEN it is read 40 minutes later, at 02:10 winter time: a local time before the start's
    clock.Set(QDateTime(QDate(2026, 10, 25), QTime(1, 10), Qt::UTC));

    // THEN the 40 real minutes have run, not minus 20 of them
    QCOMPARE(GetCount(0), Seconds(3600 - 2400));
}

void tst_ModCount::systemClockSetBackMovesTheValue()
{
    SteppedClock clock(At(Noon));
    SetCount(Seconds(600), 0, 0);
    StartCount(0);
    clock.Advance(10000);
    QCOMPARE(GetCount(0), Seconds(590));

    // WHEN the system clock is put back five seconds, the counter follows it
    clock.Advance(-5000);
    QCOMPARE(GetCount(0), Seconds(595));
}

void tst_ModCount::neverStartedSlotReadsPresetLessAccumulated()
{
    SteppedClock clock(At(Noon));
    CountSlots[1].Preset = Seconds(90);
    CountSlots[1].Accumulated = Seconds(15);
    CountSlots[1].RunElapsed = Seconds(7);

    QCOMPARE(GetCount(1), Seconds(75));
    QCOMPARE(CountSlots[1].RunElapsed, ClockValue());
}

void tst_ModCount::countDownRunOut_data()
{
    QTest::addColumn<qint64>("runMilliseconds");
    QTest::addColumn<ClockValue>("value");
    QTest::addColumn<ClockValue>("accumulated");
    QTest::newRow("a tenth before the end") << qint64(9900) << Tenths(1) << ClockValue();
    QTest::newRow("last millisecond of the last tenth") << qint64(9999) << Tenths(1) << ClockValue();
    QTest::newRow("exactly at the end") << qint64(10000) << ClockValue() << Seconds(10);
    QTest::newRow("past the end: 10.3 s") << qint64(10300) << ClockValue() << Seconds(10);
    QTest::newRow("an hour past the end") << qint64(3610000) << ClockValue() << Seconds(10);
}

void tst_ModCount::countDownRunOut()
{
    QFETCH(qint64, runMilliseconds);
    QFETCH(ClockValue, value);
    QFETCH(ClockValue, accumulated);

    SteppedClock clock(At(Noon));
    SetCount(Seconds(10), 0, 0);
    StartCount(0);
    clock.Advance(runMilliseconds);

    QCOMPARE(GetCount(0), value);
    QCOMPARE(CountSlots[0].Accumulated, accumulated);
    QCOMPARE(IsCounting(0), qint16(-1));
}

void tst_ModCount::runOutStaysZeroWhileRunningAndAfterStop()
{
    SteppedClock clock(At(Noon));
    SetCount(Seconds(10), 0, 0);
    StartCount(0);
    clock.Advance(10300);
    QCOMPARE(GetCount(0), ClockValue());

    clock.Advance(5000);
    QCOMPARE(GetCount(0), ClockValue());
    QCOMPARE(IsCounting(0), qint16(-1));

    StopCount(0);
    QCOMPARE(GetCount(0), ClockValue());
    QCOMPARE(CountSlots[0].Accumulated, Seconds(10));

    // A restart after the run-out still reads 0 until the clock is preset anew.
    StartCount(0);
    clock.Advance(2000);
    QCOMPARE(GetCount(0), ClockValue());
}

void tst_ModCount::countDownPresetZeroReadsZero()
{
    SteppedClock clock(At(Noon));
    SetCount(ClockValue(), 0, 0);
    QCOMPARE(GetCount(0), ClockValue());
    StartCount(0);
    clock.Advance(3000);
    QCOMPARE(GetCount(0), ClockValue());
}

void tst_ModCount::countUpAddsElapsedTime()
{
    SteppedClock clock(At(Noon));
    SetCount(Seconds(5), 1, 2);
    StartCount(2);
    clock.Advance(2500);
    QCOMPARE(GetCount(2), Tenths(75));

    StopCount(2);
    clock.Advance(100000);
    QCOMPARE(GetCount(2), Tenths(75));

    StartCount(2);
    clock.Advance(1000);
    QCOMPARE(GetCount(2), Tenths(85));
}

void tst_ModCount::stopFoldsInOnlyTheLastRead()
{
    SteppedClock clock(At(Noon));
    SetCount(Seconds(600), 0, 0);
    StartCount(0);
    clock.Advance(3000);
    QCOMPARE(GetCount(0), Seconds(597));

    // WHEN two more seconds pass unread before the stop
    clock.Advance(2000);
    StopCount(0);

    QCOMPARE(CountSlots[0].Accumulated, Seconds(3));
    QCOMPARE(GetCount(0), Seconds(597));
}

void tst_ModCount::startThenStopWithoutReadAddsNothing()
{
    SteppedClock clock(At(Noon));
    SetCount(Seconds(600), 0, 0);
    QCOMPARE(GetCount(0), Seconds(600));

    StartCount(0);
    clock.Advance(4000);
    StopCount(0);

    QCOMPARE(CountSlots[0].Accumulated, ClockValue());
    QCOMPARE(GetCount(0), Seconds(600));
}

void tst_ModCount::restartThenStopWithoutReadCountsEarlierRunOnce()
{
    SteppedClock clock(At(Noon));
    SetCount(Seconds(600), 0, 0);
    StartCount(0);
    clock.Advance(3000);
    QCOMPARE(GetCount(0), Seconds(597));
    StopCount(0);

    // WHEN the clock is started and stopped again before any read (two quick key presses)
    StartCount(0);
    clock.Advance(20);
    StopCount(0);

    // THEN the first run's three seconds are counted once, not twice
    QCOMPARE(CountSlots[0].Accumulated, Seconds(3));
    QCOMPARE(GetCount(0), Seconds(597));
}

void tst_ModCount::restartContinuesFromTheStoppedValue()
{
    SteppedClock clock(At(Noon));
    SetCount(Seconds(600), 0, 0);
    StartCount(0);
    clock.Advance(3000);
    QCOMPARE(GetCount(0), Seconds(597));
    StopCount(0);

    clock.Advance(60000);
    QCOMPARE(GetCount(0), Seconds(597));

    StartCount(0);
    clock.Advance(2000);
    QCOMPARE(GetCount(0), Seconds(595));
}

void tst_ModCount::startOnRunningSlotChangesNothing()
{
    SteppedClock clock(At(Noon));
    SetCount(Seconds(600), 0, 0);
    StartCount(0);
    clock.Advance(5000);
    QCOMPARE(GetCount(0), Seconds(595));
    const CountSlot before = CountSlots[0];

    clock.Advance(1300);
    StartCount(0);

    QVERIFY(CountSlots[0] == before);
    QCOMPARE(GetCount(0), Tenths(5937));
}

void tst_ModCount::stopOnStoppedSlotChangesNothing()
{
    SteppedClock clock(At(Noon));
    SetCount(Seconds(600), 0, 0);
    StartCount(0);
    clock.Advance(3000);
    QCOMPARE(GetCount(0), Seconds(597));
    StopCount(0);
    const CountSlot before = CountSlots[0];

    StopCount(0);

    QVERIFY(CountSlots[0] == before);
    QCOMPARE(GetCount(0), Seconds(597));
}

void tst_ModCount::setCountClearsBeforeStopping()
{
    SteppedClock clock(At(Noon));
    SetCount(Seconds(600), 0, 0);
    StartCount(0);
    clock.Advance(3000);
    QCOMPARE(GetCount(0), Seconds(597));

    // WHEN a running clock is preset, nothing of its run may leak into the new value
    SetCount(Seconds(120), 0, 0);

    QCOMPARE(CountSlots[0].Preset, Seconds(120));
    QCOMPARE(CountSlots[0].Accumulated, ClockValue());
    QCOMPARE(CountSlots[0].RunElapsed, ClockValue());
    QCOMPARE(IsCounting(0), qint16(0));
    QCOMPARE(GetCount(0), Seconds(120));
    clock.Advance(10000);
    QCOMPARE(GetCount(0), Seconds(120));
}

void tst_ModCount::setCountKeepsStampsAndStoresFlag()
{
    SteppedClock clock(At(u"2026-03-07 09:05:03.042"_s));
    StartCount(2);
    SetCount(Seconds(5), 7, 2);

    QCOMPARE(CountSlots[2].StartStamp, u"3/7/2026 9:5:3"_s);
    QCOMPARE(CountSlots[2].StartMillis, u"42"_s);
    QCOMPARE(CountSlots[2].CountUp, 7);
    QCOMPARE(GetCount(2), Seconds(5));
}

void tst_ModCount::slotsAreIndependent()
{
    SteppedClock clock(At(Noon));
    SetCount(Seconds(600), 0, 0);
    SetCount(Seconds(100), 0, 3);
    StartCount(3);
    clock.Advance(10000);

    QCOMPARE(GetCount(0), Seconds(600));
    QCOMPARE(IsCounting(0), qint16(0));
    QCOMPARE(GetCount(3), Seconds(90));
    QCOMPARE(IsCounting(3), qint16(-1));
}

void tst_ModCount::slotOutsideTheRange_data()
{
    QTest::addColumn<qint16>("slot");
    QTest::newRow("5, one past the last") << qint16(5);
    QTest::newRow("6") << qint16(6);
    QTest::newRow("largest 16-bit") << qint16(32767);
    QTest::newRow("-1") << qint16(-1);
    QTest::newRow("smallest 16-bit") << qint16(-32768);
}

void tst_ModCount::slotOutsideTheRange()
{
    QFETCH(qint16, slot);

    // GIVEN every slot in a different state, one of them running
    SteppedClock clock(At(Noon));
    for (qint16 index = 0; index < SlotCount; ++index)
        SetCount(Seconds(100 + index), index % 2, index);
    StartCount(1);
    clock.Advance(4000);
    QCOMPARE(GetCount(1), Seconds(105));
    const auto before = CountSlots;

    QCOMPARE(GetCount(slot), ClockValue());
    StartCount(slot);
    SetCount(Seconds(30), 1, slot);
    StopCount(slot);
    QCOMPARE(IsCounting(slot), qint16(0));

    QVERIFY(CountSlots == before);
}

QTEST_GUILESS_MAIN(tst_ModCount)
#include "tst_modcount.moc"
