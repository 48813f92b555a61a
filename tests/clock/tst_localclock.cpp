#include "clock/LocalClock.h"
#include "support/SteppedClock.h"

#include <QTest>

#include <ctime>

// The one replaceable clock: the local date and time with milliseconds.
class tst_LocalClock : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void fields();
    void dayOfWeek_data();
    void dayOfWeek();
    void otherZonesAreReadAsLocalTime();
    void steppedClockRestoresTheSystemClock();
};

void tst_LocalClock::initTestCase()
{
    qputenv("TZ", "Europe/Berlin");
    tzset();
}

void tst_LocalClock::fields()
{
    SteppedClock clock(QDateTime(QDate(2026, 3, 7), QTime(9, 5, 3, 42)));
    const LocalTime time = GetLocalTime();
    QCOMPARE(time.Year, qint16(2026));
    QCOMPARE(time.Month, qint16(3));
    QCOMPARE(time.Day, qint16(7));
    QCOMPARE(time.Hour, qint16(9));
    QCOMPARE(time.Minute, qint16(5));
    QCOMPARE(time.Second, qint16(3));
    QCOMPARE(time.Millisecond, qint16(42));
}

void tst_LocalClock::dayOfWeek_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<qint16>("dayOfWeek");
    QTest::newRow("Sunday") << QDate(2026, 3, 8) << qint16(0);
    QTest::newRow("Monday") << QDate(2026, 3, 9) << qint16(1);
    QTest::newRow("Wednesday") << QDate(2026, 3, 11) << qint16(3);
    QTest::newRow("Saturday") << QDate(2026, 3, 7) << qint16(6);
}

void tst_LocalClock::dayOfWeek()
{
    QFETCH(QDate, date);
    QFETCH(qint16, dayOfWeek);
    SteppedClock clock(QDateTime(date, QTime(23, 59, 59, 999)));
    QCOMPARE(GetLocalTime().DayOfWeek, dayOfWeek);
}

void tst_LocalClock::otherZonesAreReadAsLocalTime()
{
    // Noon UTC in January is 13:00 in Berlin.
    SteppedClock clock(QDateTime(QDate(2026, 1, 15), QTime(12, 0), Qt::UTC));
    QCOMPARE(GetLocalTime().Hour, qint16(13));
    QCOMPARE(CurrentDateTime().time(), QTime(13, 0));
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

QTEST_GUILESS_MAIN(tst_LocalClock)
#include "tst_localclock.moc"
