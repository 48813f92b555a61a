#include "clock/LocalClock.h"
#include "clock/TimeOfDay.h"
#include "support/ClockValueText.h"
#include "support/SteppedClock.h"

#include <QTest>

#include <ctime>

using namespace Qt::Literals::StringLiterals;

// The one replaceable clock, and the time of day read from the system's time text.
class tst_LocalClock : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void localTime_data();
    void localTime();
    void steppedClockRestoresTheSystemClock();
    void timeOfDay_data();
    void timeOfDay();
};

void tst_LocalClock::initTestCase()
{
    qputenv("TZ", "Europe/Berlin");
    tzset();
}

void tst_LocalClock::localTime_data()
{
    QTest::addColumn<QDateTime>("now");
    // Year, month, day, day of week (Sunday 0), hour, minute, second, millisecond.
    QTest::addColumn<QList<qint16>>("fields");
    QTest::newRow("Saturday") << QDateTime(QDate(2026, 3, 7), QTime(9, 5, 3, 42))
                              << QList<qint16> {2026, 3, 7, 6, 9, 5, 3, 42};
    QTest::newRow("Sunday is day 0") << QDateTime(QDate(2026, 3, 8), QTime(23, 59, 59, 999))
                                     << QList<qint16> {2026, 3, 8, 0, 23, 59, 59, 999};
    QTest::newRow("Monday is day 1") << QDateTime(QDate(2026, 3, 9), QTime(0, 0))
                                     << QList<qint16> {2026, 3, 9, 1, 0, 0, 0, 0};
    QTest::newRow("noon UTC is read as 13:00 in Berlin") << QDateTime(QDate(2026, 1, 15), QTime(12, 0), Qt::UTC)
                                                         << QList<qint16> {2026, 1, 15, 4, 13, 0, 0, 0};
}

void tst_LocalClock::localTime()
{
    QFETCH(QDateTime, now);
    QFETCH(QList<qint16>, fields);

    SteppedClock clock(now);
    const LocalTime time = GetLocalTime();
    QCOMPARE((QList<qint16> {time.Year, time.Month, time.Day, time.DayOfWeek, time.Hour, time.Minute, time.Second,
                             time.Millisecond}),
             fields);
    QCOMPARE(CurrentDateTime().time(), QTime(fields[4], fields[5], fields[6], fields[7]));
}

void tst_LocalClock::steppedClockRestoresTheSystemClock()
{
    const QDateTime longAgo(QDate(2001, 1, 1), QTime(0, 0));
    {
        SteppedClock clock(longAgo);
        QCOMPARE(CurrentDateTime(), longAgo);
    }
    QVERIFY(qAbs(CurrentDateTime().secsTo(QDateTime::currentDateTime())) < 60);
}

void tst_LocalClock::timeOfDay_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<ClockValue>("value");

    QTest::newRow("24-hour 14:35") << u"14:35"_s << ClockValue::FromSeconds(875);
    QTest::newRow("12-hour 2:35 PM keeps the hour as written") << u"2:35 PM"_s << ClockValue::FromSeconds(155);
    QTest::newRow("just past midnight 0:35") << u"0:35"_s << ClockValue::FromSeconds(35);
    QTest::newRow("last minute 23:59") << u"23:59"_s << ClockValue::FromSeconds(1439);
    QTest::newRow("seconds shown 14:35:10") << u"14:35:10"_s << ClockValue::FromSeconds(875);

    // Text that is no clock reading falls back to the local clock's 16:20.
    const ClockValue fallback = ClockValue::FromSeconds(16 * 60 + 20);
    QTest::newRow("garbage") << u"garbage"_s << fallback;
    QTest::newRow("no colon 14.35") << u"14.35"_s << fallback;
    QTest::newRow("marker before the hour PM 2:35") << u"PM 2:35"_s << fallback;
    QTest::newRow("hour 24") << u"24:00"_s << fallback;
    QTest::newRow("minute 60") << u"12:60"_s << fallback;
    QTest::newRow("three-digit hour 123:45") << u"123:45"_s << fallback;
    QTest::newRow("three-digit minute 12:345") << u"12:345"_s << fallback;
}

void tst_LocalClock::timeOfDay()
{
    QFETCH(QString, text);
    QFETCH(ClockValue, value);
    // A clock far from every readable row, so a fallback cannot pass by chance.
    SteppedClock clock(QDateTime(QDate(2026, 3, 7), QTime(16, 20, 45)));
    QCOMPARE(TimeOfDayValue(text), value);
}

QTEST_GUILESS_MAIN(tst_LocalClock)
#include "tst_localclock.moc"
