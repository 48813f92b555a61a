#include "clock/modCount.h"
#include "support/ClockValueText.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr ClockValue Seconds(qint64 seconds) { return ClockValue::FromSeconds(seconds); }
constexpr ClockValue Tenths(qint64 tenths) { return ClockValue::FromTenths(tenths); }

const ClockValue Refused = ClockValue::FromSeconds(-1);

} // namespace

// The typed clock entry: minutes, then optionally "." with two seconds digits and a tenths digit.
class tst_ParseTimeEntry : public QObject
{
    Q_OBJECT

private slots:
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
    void boundary_data();
    void boundary();

private:
    static void addColumns();
    static void check();
};

void tst_ParseTimeEntry::addColumns()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<ClockValue>("expected");
}

void tst_ParseTimeEntry::check()
{
    QFETCH(QString, text);
    QFETCH(ClockValue, expected);
    QCOMPARE(ParseTimeEntry(text), expected);
}

void tst_ParseTimeEntry::accepted_data()
{
    addColumns();
    QTest::newRow("minutes only 8") << u"8"_s << Seconds(480);
    QTest::newRow("one seconds digit 8.5") << u"8.5"_s << Seconds(485);
    QTest::newRow("two seconds digits 8.50") << u"8.50"_s << Seconds(530);
    QTest::newRow("trailing point 12.") << u"12."_s << Seconds(720);
    QTest::newRow("seconds only .30") << u".30"_s << Seconds(30);
    QTest::newRow("tenths 0.455") << u"0.455"_s << Tenths(455);
    QTest::newRow("minutes seconds tenths 12.345") << u"12.345"_s << Tenths(7545);
    QTest::newRow("seconds above 59 add on 1.75") << u"1.75"_s << Seconds(135);
    QTest::newRow("7.30") << u"7.30"_s << Seconds(450);
    QTest::newRow("leading zeros 007.05") << u"007.05"_s << Seconds(425);
    QTest::newRow("zero tenths 1.300") << u"1.300"_s << Seconds(90);
    QTest::newRow("fourth seconds character ignored 1.1234") << u"1.1234"_s << Tenths(723);
    QTest::newRow("seconds 99 tenths 9 with no minutes .999") << u".999"_s << Tenths(999);
    QTest::newRow("tenths only 0.009") << u"0.009"_s << Tenths(9);
}

void tst_ParseTimeEntry::accepted()
{
    check();
}

void tst_ParseTimeEntry::refused_data()
{
    addColumns();
    QTest::newRow("minutes above 99: 100") << u"100"_s << Refused;
    QTest::newRow("three parts 1.2.3") << u"1.2.3"_s << Refused;
    QTest::newRow("two points ..") << u".."_s << Refused;
    QTest::newRow("nine characters 123456789") << u"123456789"_s << Refused;
    QTest::newRow("letters abc") << u"abc"_s << Refused;
    QTest::newRow("letter among digits 7a") << u"7a"_s << Refused;
    QTest::newRow("space inside 7 30") << u"7 30"_s << Refused;
    QTest::newRow("minus sign -1") << u"-1"_s << Refused;
    QTest::newRow("plus sign +5") << u"+5"_s << Refused;
    QTest::newRow("comma 1,30") << u"1,30"_s << Refused;
    QTest::newRow("colon 1:30") << u"1:30"_s << Refused;
    QTest::newRow("non-ASCII digit") << QString(QChar(0x0667)) << Refused;
    QTest::newRow("fullwidth digit") << QString(QChar(0xFF17)) << Refused;
}

void tst_ParseTimeEntry::refused()
{
    check();
}

void tst_ParseTimeEntry::boundary_data()
{
    addColumns();
    QTest::newRow("largest minutes and seconds 99.59") << u"99.59"_s << Seconds(5999);
    QTest::newRow("99.595 parses, the board's maximum refuses it") << u"99.595"_s << Tenths(59995);
    QTest::newRow("99.599") << u"99.599"_s << Tenths(59999);
    QTest::newRow("largest fields 99.99") << u"99.99"_s << Seconds(6039);
    QTest::newRow("largest fields with tenths 99.999") << u"99.999"_s << Tenths(60399);
    QTest::newRow("point alone") << u"."_s << Seconds(0);
    QTest::newRow("empty") << QString() << Seconds(0);
    QTest::newRow("zero") << u"0"_s << Seconds(0);
    QTest::newRow("eight characters 00000099") << u"00000099"_s << Seconds(5940);
    QTest::newRow("nine characters 000000099") << u"000000099"_s << Refused;
    QTest::newRow("eight characters but 12345678 minutes") << u"12345678"_s << Refused;
    QTest::newRow("eight characters 99.59000") << u"99.59000"_s << Seconds(5999);
}

void tst_ParseTimeEntry::boundary()
{
    check();
}

QTEST_GUILESS_MAIN(tst_ParseTimeEntry)
#include "tst_parsetimeentry.moc"
