#include "clock/ShowTime.h"
#include "settings/SettingsRecord.h"
#include "support/ClockValueText.h"
#include "support/FakeDigitGroup.h"
#include "support/FakeDotPair.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int Blank = -1;

// Colours no default setting uses, so a dot painted from the wrong setting shows.
constexpr qint32 Border = 0x00A1B2C3;
constexpr qint32 Background = 0x00102030;

} // namespace

// The clock display: minutes layout with a colon above 59.9 s, seconds and tenths with a decimal
// point up to 59.9 s, leading zeros blank.
class tst_ShowTime : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void picture_data();
    void picture();
    void smallerGroupGetsWhatFits();
};

void tst_ShowTime::init()
{
    Settings = SettingsRecord();
    Settings.BorderColor = Border;
    Settings.LEDBack = Background;
}

void tst_ShowTime::picture_data()
{
    QTest::addColumn<ClockValue>("value");
    QTest::addColumn<QList<int>>("cells");
    QTest::addColumn<bool>("colon");

    QTest::newRow("600 -> 10:00") << Seconds(600) << QList {1, 0, 0, 0} << true;
    QTest::newRow("599.9 -> 10:00") << Tenths(5999) << QList {1, 0, 0, 0} << true;
    QTest::newRow("599.0 -> 9:59") << Seconds(599) << QList {Blank, 9, 5, 9} << true;
    QTest::newRow("119.5 -> 2:00") << Tenths(1195) << QList {Blank, 2, 0, 0} << true;
    QTest::newRow("61.3 -> 1:02") << Tenths(613) << QList {Blank, 1, 0, 2} << true;
    QTest::newRow("60.1 -> 1:01") << Tenths(601) << QList {Blank, 1, 0, 1} << true;
    QTest::newRow("60.0 -> 1:00") << Seconds(60) << QList {Blank, 1, 0, 0} << true;
    QTest::newRow("59.95, between tenths, -> 1:00") << ClockValue::FromTicks(599500) << QList {Blank, 1, 0, 0} << true;
    QTest::newRow("5999 -> 99:59") << Seconds(5999) << QList {9, 9, 5, 9} << true;

    QTest::newRow("59.9") << Tenths(599) << QList {5, 9, 9, Blank} << false;
    QTest::newRow("59.85, between tenths, -> 59.8") << ClockValue::FromTicks(598500) << QList {5, 9, 8, Blank}
                                                    << false;
    QTest::newRow("5.0") << Seconds(5) << QList {Blank, 5, 0, Blank} << false;
    QTest::newRow("0 -> 0.0") << Seconds(0) << QList {Blank, 0, 0, Blank} << false;

    QTest::newRow("-0.1 shows 0.0") << Tenths(-1) << QList {Blank, 0, 0, Blank} << false;
    QTest::newRow("5999.1 stays 99:59") << Tenths(59991) << QList {9, 9, 5, 9} << true;
    QTest::newRow("a count-up hours long stays 99:59") << Seconds(100000) << QList {9, 9, 5, 9} << true;
}

void tst_ShowTime::picture()
{
    QFETCH(ClockValue, value);
    QFETCH(QList<int>, cells);
    QFETCH(bool, colon);

    // GIVEN a display left showing other digits, so a cell the picture leaves unwritten shows
    FakeDigitGroup group(u"pledTime"_s, {8, 8, 8, 8});
    FakeDotPair dots;
    ShowTime(value, group, dots);

    QCOMPARE(group.Captions(), cells);
    QCOMPARE(dots.UpperColor(), colon ? Border : Background);
    QCOMPARE(dots.LowerColor(), Border);
}

void tst_ShowTime::smallerGroupGetsWhatFits()
{
    FakeDigitGroup group(u"pledShort"_s, {8, 8});
    FakeDotPair dots;
    ShowTime(Seconds(600), group, dots);
    QCOMPARE(group.Captions(), (QList {1, 0}));
}

QTEST_GUILESS_MAIN(tst_ShowTime)
#include "tst_showtime.moc"
