#include "clock/ShowTime.h"
#include "clock/TimeOfDay.h"
#include "support/ClockValueText.h"
#include "support/SteppedClock.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

using Cells = std::array<int, 4>;
Q_DECLARE_METATYPE(Cells)

// What the clock display shows for a value, and the time of day it is handed.
class ShowTimeTest : public QObject
{
    Q_OBJECT

private slots:
    void picture_data()
    {
        QTest::addColumn<ClockValue>("value");
        QTest::addColumn<bool>("timeOfDay");
        QTest::addColumn<Cells>("cells");
        QTest::addColumn<bool>("colon");
        QTest::newRow("600 -> 10:00") << Seconds(600) << false << Cells {1, 0, 0, 0} << true;
        QTest::newRow("599.9 -> 10:00, the second it is in") << Tenths(5999) << false << Cells {1, 0, 0, 0} << true;
        QTest::newRow("61.3 -> 1:02") << Tenths(613) << false << Cells {-1, 1, 0, 2} << true;
        QTest::newRow("60.0 -> 1:00") << Seconds(60) << false << Cells {-1, 1, 0, 0} << true;
        QTest::newRow("59.9 in tenths") << Tenths(599) << false << Cells {5, 9, 9, -1} << false;
        QTest::newRow("5.0 leading blank") << Seconds(5) << false << Cells {-1, 5, 0, -1} << false;
        QTest::newRow("0 -> 0.0") << Seconds(0) << false << Cells {-1, 0, 0, -1} << false;
        QTest::newRow("below 0 shows 0.0") << Tenths(-1) << false << Cells {-1, 0, 0, -1} << false;
        QTest::newRow("past 99:59 stays 99:59") << Seconds(100000) << false << Cells {9, 9, 5, 9} << true;
        QTest::newRow("time 14:35") << Seconds(875) << true << Cells {1, 4, 3, 5} << true;
        QTest::newRow("time 0:02 never 2.0") << Seconds(2) << true << Cells {-1, 0, 0, 2} << true;
        QTest::newRow("time 0:00") << Seconds(0) << true << Cells {-1, 0, 0, 0} << true;
    }
    void picture()
    {
        QFETCH(ClockValue, value);
        QFETCH(bool, timeOfDay);
        QFETCH(Cells, cells);
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

QUORVANE_TEST(ShowTimeTest)
#include "ShowTimeTest.moc"
