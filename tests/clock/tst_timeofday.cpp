#include "clock/TimeOfDay.h"
#include "support/ClockValueText.h"
#include "support/SteppedClock.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr ClockValue Seconds(qint64 seconds) { return ClockValue::FromSeconds(seconds); }

} // namespace

// The time of day as a clock value: the hour as the system writes it × 60 plus the minute.
class tst_TimeOfDay : public QObject
{
    Q_OBJECT

private slots:
    void fromTheSystemText_data();
    void fromTheSystemText();
    void unreadableTextFallsBackToTheLocalClock_data();
    void unreadableTextFallsBackToTheLocalClock();
};

void tst_TimeOfDay::fromTheSystemText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<ClockValue>("value");
    QTest::newRow("24-hour 14:35") << u"14:35"_s << Seconds(875);
    QTest::newRow("12-hour 2:35 PM keeps the hour as written") << u"2:35 PM"_s << Seconds(155);
    QTest::newRow("just past midnight 0:35") << u"0:35"_s << Seconds(35);
    QTest::newRow("leading zeros 02:05") << u"02:05"_s << Seconds(125);
    QTest::newRow("12:00 AM") << u"12:00 AM"_s << Seconds(720);
    QTest::newRow("last minute 23:59") << u"23:59"_s << Seconds(1439);
    QTest::newRow("seconds shown 14:35:10") << u"14:35:10"_s << Seconds(875);
    QTest::newRow("lower-case suffix 9:07 pm") << u"9:07 pm"_s << Seconds(547);
    QTest::newRow("narrow no-break space before PM") << u"2:35\u202FPM"_s << Seconds(155);
}

void tst_TimeOfDay::fromTheSystemText()
{
    QFETCH(QString, text);
    QFETCH(ClockValue, value);
    // A clock far from every row, so a fallback cannot pass by chance.
    SteppedClock clock(QDateTime(QDate(2026, 3, 7), QTime(16, 20, 45)));
    QCOMPARE(TimeOfDayValue(text), value);
}

void tst_TimeOfDay::unreadableTextFallsBackToTheLocalClock_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("garbage") << u"garbage"_s;
    QTest::newRow("no colon 14.35") << u"14.35"_s;
    QTest::newRow("letters around the colon ab:cd") << u"ab:cd"_s;
    QTest::newRow("no hour :35") << u":35"_s;
    QTest::newRow("no minute 14:") << u"14:"_s;
    QTest::newRow("marker before the hour PM 2:35") << u"PM 2:35"_s;
    QTest::newRow("negative hour -1:30") << u"-1:30"_s;
    QTest::newRow("hour 24") << u"24:00"_s;
    QTest::newRow("minute 60") << u"12:60"_s;
    QTest::newRow("three-digit hour 123:45") << u"123:45"_s;
    QTest::newRow("three-digit minute 12:345") << u"12:345"_s;
}

void tst_TimeOfDay::unreadableTextFallsBackToTheLocalClock()
{
    QFETCH(QString, text);
    SteppedClock clock(QDateTime(QDate(2026, 3, 7), QTime(16, 20, 45)));
    QCOMPARE(TimeOfDayValue(text), Seconds(16 * 60 + 20));
}

QTEST_GUILESS_MAIN(tst_TimeOfDay)
#include "tst_timeofday.moc"
