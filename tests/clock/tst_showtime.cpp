#include "clock/ShowTime.h"
#include "settings/SettingsRecord.h"
#include "support/ClockValueText.h"
#include "support/FakeDigitGroup.h"
#include "support/FakeDotPair.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int Blank = -1;

constexpr ClockValue Seconds(qint64 seconds) { return ClockValue::FromSeconds(seconds); }
constexpr ClockValue Tenths(qint64 tenths) { return ClockValue::FromTenths(tenths); }

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

    void minutesLayout_data();
    void minutesLayout();
    void secondsLayout_data();
    void secondsLayout();
    void outsideTheFourDigits_data();
    void outsideTheFourDigits();

    void dotColours_data();
    void dotColours();
    void followsChangedSettings();
    void writesEveryCellEachTime();
    void smallerGroupGetsWhatFits();

private:
    static void addPictureColumns();
    static void checkPicture();
};

void tst_ShowTime::init()
{
    Settings = SettingsRecord();
    Settings.BorderColor = Border;
    Settings.LEDBack = Background;
}

void tst_ShowTime::addPictureColumns()
{
    QTest::addColumn<ClockValue>("value");
    QTest::addColumn<QList<int>>("cells");
    QTest::addColumn<bool>("upperDotLit");
}

void tst_ShowTime::checkPicture()
{
    QFETCH(ClockValue, value);
    QFETCH(QList<int>, cells);
    QFETCH(bool, upperDotLit);

    const ClockPicture picture = ClockPictureFor(value);
    QCOMPARE(QList<int>(picture.Cells.begin(), picture.Cells.end()), cells);
    QCOMPARE(picture.UpperDotLit, upperDotLit);

    // The same picture lands on the display.
    FakeDigitGroup group(u"pledTime"_s, 4);
    FakeDotPair dots;
    ShowTime(value, group, dots);
    QCOMPARE(group.Captions(), cells);
    QCOMPARE(dots.UpperColor(), upperDotLit ? Border : Background);
}

void tst_ShowTime::minutesLayout_data()
{
    addPictureColumns();
    QTest::newRow("600 -> 10:00") << Seconds(600) << QList {1, 0, 0, 0} << true;
    QTest::newRow("119.5 -> 2:00") << Tenths(1195) << QList {Blank, 2, 0, 0} << true;
    QTest::newRow("61.3 -> 1:02") << Tenths(613) << QList {Blank, 1, 0, 2} << true;
    QTest::newRow("60.0 -> 1:00") << Seconds(60) << QList {Blank, 1, 0, 0} << true;
    QTest::newRow("60.1 -> 1:01") << Tenths(601) << QList {Blank, 1, 0, 1} << true;
    QTest::newRow("5999 -> 99:59") << Seconds(5999) << QList {9, 9, 5, 9} << true;
    QTest::newRow("5998.1 -> 99:59") << Tenths(59981) << QList {9, 9, 5, 9} << true;
    QTest::newRow("600.1 -> 10:01") << Tenths(6001) << QList {1, 0, 0, 1} << true;
    QTest::newRow("599.9 -> 10:00") << Tenths(5999) << QList {1, 0, 0, 0} << true;
    QTest::newRow("599.0 -> 9:59") << Seconds(599) << QList {Blank, 9, 5, 9} << true;
    QTest::newRow("100.0 -> 1:40") << Seconds(100) << QList {Blank, 1, 4, 0} << true;
    QTest::newRow("70.0 -> 1:10") << Seconds(70) << QList {Blank, 1, 1, 0} << true;
    QTest::newRow("3600 -> 60:00") << Seconds(3600) << QList {6, 0, 0, 0} << true;
    QTest::newRow("time of day 14:35 (875)") << Seconds(875) << QList {1, 4, 3, 5} << true;
    QTest::newRow("59.95, between tenths, -> 1:00") << ClockValue::FromTicks(599500) << QList {Blank, 1, 0, 0} << true;
}

void tst_ShowTime::minutesLayout()
{
    checkPicture();
}

void tst_ShowTime::secondsLayout_data()
{
    addPictureColumns();
    QTest::newRow("59.9") << Tenths(599) << QList {5, 9, 9, Blank} << false;
    QTest::newRow("5.0") << Seconds(5) << QList {Blank, 5, 0, Blank} << false;
    QTest::newRow("0 -> 0.0") << Seconds(0) << QList {Blank, 0, 0, Blank} << false;
    QTest::newRow("9.9") << Tenths(99) << QList {Blank, 9, 9, Blank} << false;
    QTest::newRow("10.0") << Seconds(10) << QList {1, 0, 0, Blank} << false;
    QTest::newRow("0.1") << Tenths(1) << QList {Blank, 0, 1, Blank} << false;
    QTest::newRow("30.5") << Tenths(305) << QList {3, 0, 5, Blank} << false;
    QTest::newRow("time of day 0:35 (35)") << Seconds(35) << QList {3, 5, 0, Blank} << false;
    QTest::newRow("0.05, below a tenth, -> 0.0") << ClockValue::FromTicks(500) << QList {Blank, 0, 0, Blank} << false;
    QTest::newRow("59.85, between tenths, -> 59.8") << ClockValue::FromTicks(598500) << QList {5, 9, 8, Blank}
                                                    << false;
}

void tst_ShowTime::secondsLayout()
{
    checkPicture();
}

void tst_ShowTime::outsideTheFourDigits_data()
{
    addPictureColumns();
    QTest::newRow("-0.1 shows 0.0") << Tenths(-1) << QList {Blank, 0, 0, Blank} << false;
    QTest::newRow("-600 shows 0.0") << Seconds(-600) << QList {Blank, 0, 0, Blank} << false;
    QTest::newRow("5999.1 stays 99:59") << Tenths(59991) << QList {9, 9, 5, 9} << true;
    QTest::newRow("5999.5 stays 99:59") << Tenths(59995) << QList {9, 9, 5, 9} << true;
    QTest::newRow("6000 stays 99:59") << Seconds(6000) << QList {9, 9, 5, 9} << true;
    QTest::newRow("a count-up hours long stays 99:59") << Seconds(100000) << QList {9, 9, 5, 9} << true;
}

void tst_ShowTime::outsideTheFourDigits()
{
    checkPicture();
}

void tst_ShowTime::dotColours_data()
{
    QTest::addColumn<ClockValue>("value");
    QTest::addColumn<qint32>("upper");
    QTest::addColumn<qint32>("lower");
    QTest::newRow("600: colon") << Seconds(600) << Border << Border;
    QTest::newRow("60.0: colon") << Seconds(60) << Border << Border;
    QTest::newRow("59.9: decimal point") << Tenths(599) << Background << Border;
    QTest::newRow("0: decimal point") << Seconds(0) << Background << Border;
}

void tst_ShowTime::dotColours()
{
    QFETCH(ClockValue, value);
    QFETCH(qint32, upper);
    QFETCH(qint32, lower);

    FakeDigitGroup group(u"pledTime"_s, 4);
    FakeDotPair dots;
    ShowTime(value, group, dots);

    QCOMPARE(dots.UpperColor(), upper);
    QCOMPARE(dots.LowerColor(), lower);
}

void tst_ShowTime::followsChangedSettings()
{
    FakeDigitGroup group(u"pledTime"_s, 4);
    FakeDotPair dots;
    ShowTime(Seconds(600), group, dots);

    // WHEN the operator picks new colours and the clock is shown again
    Settings.BorderColor = 0x0000FF00;
    Settings.LEDBack = 0x00FF0000;
    ShowTime(Seconds(600), group, dots);
    QCOMPARE(dots.UpperColor(), 0x0000FF00);
    QCOMPARE(dots.LowerColor(), 0x0000FF00);

    ShowTime(Seconds(30), group, dots);
    QCOMPARE(dots.UpperColor(), 0x00FF0000);
    QCOMPARE(dots.LowerColor(), 0x0000FF00);
}

void tst_ShowTime::writesEveryCellEachTime()
{
    // GIVEN a display left showing 10:00
    FakeDigitGroup group(u"pledTime"_s, 4);
    FakeDotPair dots;
    ShowTime(Seconds(600), group, dots);

    // WHEN it falls into the seconds layout, the fourth cell is blanked rather than left showing 0
    ShowTime(Tenths(599), group, dots);
    QCOMPARE(group.Captions(), (QList {5, 9, 9, Blank}));
    QCOMPARE(group.WriteCount(), 8);
}

void tst_ShowTime::smallerGroupGetsWhatFits()
{
    FakeDigitGroup group(u"pledShort"_s, 2);
    FakeDotPair dots;
    ShowTime(Seconds(600), group, dots);
    QCOMPARE(group.Captions(), (QList {1, 0}));
}

QTEST_GUILESS_MAIN(tst_ShowTime)
#include "tst_showtime.moc"
