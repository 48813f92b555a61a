#include "clock/modCount.h"
#include "support/ClockValueText.h"
#include "support/SteppedClock.h"

#include <QTest>

#include <ctime>

using namespace Qt::Literals::StringLiterals;

namespace {

// A local wall-clock time written "yyyy-MM-dd HH:mm:ss.zzz".
QDateTime At(const QString &text)
{
    return QDateTime::fromString(text, u"yyyy-MM-dd HH:mm:ss.zzz"_s);
}

} // namespace

// The five counter slots: reading a slot against the local clock, and start, stop and preset.
class tst_ModCount : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void run_data();
    void run();
    void runInsideTheRepeatedAutumnHour();
    void countDownRunsOutAndStaysZero();
    void countUpAddsElapsedTime();

    void stopFoldsInOnlyTheLastRead();
    void repeatedStartOrStopChangesNothing();
    void setCountClearsTheRunButKeepsTheStartStamp();

    void slotOutsideTheRange_data();
    void slotOutsideTheRange();

private:
    SteppedClock m_clock {QDateTime()};
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
    m_clock.Set(At(u"2026-03-07 12:00:00.000"_s));
}

void tst_ModCount::run_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("read");
    QTest::addColumn<ClockValue>("elapsed");
    QTest::newRow("tenths across a second boundary")
        << u"2026-03-07 12:00:00.950"_s << u"2026-03-07 12:00:01.050"_s << Tenths(1);
    QTest::newRow("within one tenth") << u"2026-03-07 12:00:00.000"_s << u"2026-03-07 12:00:00.099"_s << Tenths(0);
    QTest::newRow("one millisecond into the next tenth")
        << u"2026-03-07 12:00:00.199"_s << u"2026-03-07 12:00:00.200"_s << Tenths(1);
    QTest::newRow("current tenth below the start's")
        << u"2026-03-07 12:00:00.900"_s << u"2026-03-07 12:00:02.100"_s << Tenths(12);
    QTest::newRow("midnight") << u"2026-03-07 23:59:59.500"_s << u"2026-03-08 00:00:01.200"_s << Tenths(17);
    QTest::newRow("end of a 31-day month") << u"2026-01-31 23:59:58.000"_s << u"2026-02-01 00:00:03.000"_s
                                           << Seconds(5);
    QTest::newRow("into a leap day") << u"2028-02-28 23:59:59.000"_s << u"2028-02-29 00:00:01.000"_s << Seconds(2);
    QTest::newRow("year end") << u"2025-12-31 23:59:59.900"_s << u"2026-01-01 00:00:00.000"_s << Tenths(1);
    QTest::newRow("month day order: 12 Jan to 1 Feb")
        << u"2026-01-12 12:00:00.000"_s << u"2026-02-01 12:00:00.000"_s << Seconds(20 * 86400);
    QTest::newRow("spring clock change skips 02:00-03:00")
        << u"2026-03-29 01:59:59.000"_s << u"2026-03-29 03:00:01.000"_s << Seconds(2);
    QTest::newRow("autumn clock change repeats 02:00-03:00")
        << u"2026-10-25 01:59:59.000"_s << u"2026-10-25 03:00:01.000"_s << Seconds(2 * 3600 + 2);
}

void tst_ModCount::run()
{
    QFETCH(QString, start);
    QFETCH(QString, read);
    QFETCH(ClockValue, elapsed);

    const ClockValue preset = Seconds(40 * 86400);
    m_clock.Set(At(start));
    SetCount(preset, 0, 0);
    StartCount(0);
    m_clock.Set(At(read));

    QCOMPARE(GetCount(0), preset - elapsed);
    QCOMPARE(CountSlots[0].RunElapsed, elapsed);
}

void tst_ModCount::runInsideTheRepeatedAutumnHour()
{
    // GIVEN a start at 02:30 summer time on the night the clocks go back (00:30 UTC)
    m_clock.Set(QDateTime(QDate(2026, 10, 25), QTime(0, 30), Qt::UTC));
    SetCount(Seconds(3600), 0, 0);
    StartCount(0);
    QCOMPARE(CountSlots[0].StartStamp, u"10/25/2026 2:30:0"_s);

    // WHEN it is read 40 minutes later, at 02:10 winter time: a local time before the start's
    m_clock.Set(QDateTime(QDate(2026, 10, 25), QTime(1, 10), Qt::UTC));

    // THEN the 40 real minutes have run, not minus 20 of them
    QCOMPARE(GetCount(0), Seconds(3600 - 2400));
}

void tst_ModCount::countDownRunsOutAndStaysZero()
{
    SetCount(Seconds(10), 0, 0);
    StartCount(0);
    m_clock.Advance(9999);
    QCOMPARE(GetCount(0), Tenths(1));
    QCOMPARE(CountSlots[0].Accumulated, ClockValue());

    m_clock.Advance(1);
    QCOMPARE(GetCount(0), ClockValue());
    QCOMPARE(CountSlots[0].Accumulated, Seconds(10));

    m_clock.Advance(5000);
    QCOMPARE(GetCount(0), ClockValue());
    QCOMPARE(IsCounting(0), qint16(-1));

    StopCount(0);
    QCOMPARE(GetCount(0), ClockValue());
    QCOMPARE(CountSlots[0].Accumulated, Seconds(10));

    // A restart after the run-out still reads 0 until the clock is preset anew.
    StartCount(0);
    m_clock.Advance(2000);
    QCOMPARE(GetCount(0), ClockValue());
}

void tst_ModCount::countUpAddsElapsedTime()
{
    SetCount(Seconds(5), 1, 2);
    StartCount(2);
    m_clock.Advance(2500);
    QCOMPARE(GetCount(2), Tenths(75));

    StopCount(2);
    m_clock.Advance(100000);
    QCOMPARE(GetCount(2), Tenths(75));

    StartCount(2);
    m_clock.Advance(1000);
    QCOMPARE(GetCount(2), Tenths(85));
}

void tst_ModCount::stopFoldsInOnlyTheLastRead()
{
    SetCount(Seconds(600), 0, 0);
    StartCount(0);
    m_clock.Advance(3000);
    QCOMPARE(GetCount(0), Seconds(597));

    // WHEN two more seconds pass unread before the stop
    m_clock.Advance(2000);
    StopCount(0);
    QCOMPARE(CountSlots[0].Accumulated, Seconds(3));

    // WHEN it is started and stopped again before any read (two quick key presses), with no read
    // since the stop either, THEN the first run is still counted once
    StartCount(0);
    m_clock.Advance(20);
    StopCount(0);
    QCOMPARE(CountSlots[0].Accumulated, Seconds(3));
    QCOMPARE(GetCount(0), Seconds(597));
}

void tst_ModCount::repeatedStartOrStopChangesNothing()
{
    SetCount(Seconds(600), 0, 0);
    StartCount(0);
    m_clock.Advance(5000);
    QCOMPARE(GetCount(0), Seconds(595));
    CountSlot before = CountSlots[0];

    m_clock.Advance(1300);
    StartCount(0);
    QVERIFY(CountSlots[0] == before);
    QCOMPARE(GetCount(0), Tenths(5937));

    StopCount(0);
    before = CountSlots[0];
    StopCount(0);
    QVERIFY(CountSlots[0] == before);
    QCOMPARE(GetCount(0), Tenths(5937));
}

void tst_ModCount::setCountClearsTheRunButKeepsTheStartStamp()
{
    m_clock.Set(At(u"2026-03-07 09:05:03.042"_s));
    SetCount(Seconds(600), 0, 0);
    StartCount(0);
    m_clock.Advance(3000);
    QCOMPARE(GetCount(0), Seconds(597));

    // WHEN a running clock is preset, nothing of its run may leak into the new value
    SetCount(Seconds(120), 0, 0);

    QCOMPARE(IsCounting(0), qint16(0));
    QCOMPARE(GetCount(0), Seconds(120));
    m_clock.Advance(10000);
    QCOMPARE(GetCount(0), Seconds(120));
    QCOMPARE(CountSlots[0].StartStamp, u"3/7/2026 9:5:3"_s);
    QCOMPARE(CountSlots[0].StartMillis, u"42"_s);
}

void tst_ModCount::slotOutsideTheRange_data()
{
    QTest::addColumn<qint16>("slot");
    QTest::newRow("5, one past the last") << qint16(5);
    QTest::newRow("-1") << qint16(-1);
    QTest::newRow("smallest 16-bit") << qint16(-32768);
}

void tst_ModCount::slotOutsideTheRange()
{
    QFETCH(qint16, slot);

    // GIVEN every slot in a different state, one of them running
    for (qint16 index = 0; index < SlotCount; ++index)
        SetCount(Seconds(100 + index), index % 2, index);
    StartCount(1);
    m_clock.Advance(4000);
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
