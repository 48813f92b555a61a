#include "display/StretchMath.h"

#include <QTest>

#include <cmath>
#include <limits>

// The layout arithmetic on its own: ratios, the floor of 1 and rounding into 16 bits.
class tst_StretchMath : public QObject
{
    Q_OBJECT

private slots:
    // Positions
    void scaledPosition_data();
    void scaledPosition();

    // Extents and the floor of 1
    void atLeastOne_data();
    void atLeastOne();
    void scaledExtent_data();
    void scaledExtent();

    // Rounding to noted and integer values
    void roundHalfEven_data();
    void roundHalfEven();
    void roundHalfEvenClamps_data();
    void roundHalfEvenClamps();
    void scaledIntegerProperty_data();
    void scaledIntegerProperty();
};

namespace {

// QCOMPARE on floating point forgives small differences; these tests are about the exact bits.
QString Exact(double value)
{
    return QString::number(value, 'g', 17);
}

} // namespace

void tst_StretchMath::scaledPosition_data()
{
    QTest::addColumn<float>("current");
    QTest::addColumn<float>("base");
    QTest::addColumn<float>("noted");
    QTest::addColumn<float>("expected");

    QTest::newRow("at the base size") << 9480.f << 9480.f << 3653.f << 3653.f;
    QTest::newRow("twice as wide") << 18960.f << 9480.f << 2160.f << 4320.f;
    QTest::newRow("half as wide") << 4740.f << 9480.f << 5160.f << 2580.f;
    QTest::newRow("zero stays zero") << 18960.f << 9480.f << 0.f << 0.f;
    QTest::newRow("negative twice as wide") << 18960.f << 9480.f << -480.f << -960.f;
    QTest::newRow("negative one and a half") << 14220.f << 9480.f << -480.f << -720.f;
    QTest::newRow("shrunk to nothing") << 0.f << 9480.f << 3653.f << 0.f;
    QTest::newRow("wider than 16 bits") << 57600.f << 9480.f << 360.f << 2187.3418f;
    // Single precision: in double this is 3653.3853375527...
    QTest::newRow("single precision") << 9481.f << 9480.f << 3653.f << 3653.3855f;
    // Dividing last would give 4341.77197 here.
    QTest::newRow("division before multiplication") << 7000.f << 9480.f << 5880.f << 4341.77246f;
}

void tst_StretchMath::scaledPosition()
{
    QFETCH(float, current);
    QFETCH(float, base);
    QFETCH(float, noted);
    QFETCH(float, expected);

    QCOMPARE(Exact(ScaledPosition(current, base, noted)), Exact(expected));
}

void tst_StretchMath::atLeastOne_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("expected");

    QTest::newRow("below one") << 0.25 << 1.0;
    QTest::newRow("zero") << 0.0 << 1.0;
    QTest::newRow("negative") << -3.0 << 1.0;
    QTest::newRow("just below one") << 0.999999 << 1.0;
    QTest::newRow("one") << 1.0 << 1.0;
    QTest::newRow("just above one") << 1.000001 << 1.000001;
    QTest::newRow("fraction above one") << 1.5 << 1.5;
    QTest::newRow("large") << 72.0 << 72.0;
}

void tst_StretchMath::atLeastOne()
{
    QFETCH(double, x);
    QFETCH(double, expected);

    QCOMPARE(Exact(AtLeastOne(x)), Exact(expected));
}

void tst_StretchMath::scaledExtent_data()
{
    QTest::addColumn<float>("current");
    QTest::addColumn<float>("base");
    QTest::addColumn<float>("noted");
    QTest::addColumn<double>("expected");

    QTest::newRow("LED size twice as high") << 13590.f << 6795.f << 110.f << 220.0;
    QTest::newRow("font twice as high") << 13590.f << 6795.f << 36.f << 72.0;
    QTest::newRow("noted font at the base size") << 6795.f << 6795.f << 26.f << 26.0;
    QTest::newRow("width twice as wide") << 18960.f << 9480.f << 3255.f << 6510.0;
    QTest::newRow("fraction kept") << 10192.5f << 6795.f << 7.f << 10.5;
    QTest::newRow("shrunk below one") << 15.f << 6795.f << 110.f << 1.0;
    QTest::newRow("window of no height") << 0.f << 6795.f << 36.f << 1.0;
    // Single precision: in double this is 3653.3853375527...
    QTest::newRow("single precision") << 9481.f << 9480.f << 3653.f << double(3653.3855f);
}

void tst_StretchMath::scaledExtent()
{
    QFETCH(float, current);
    QFETCH(float, base);
    QFETCH(float, noted);
    QFETCH(double, expected);

    QCOMPARE(Exact(ScaledExtent(current, base, noted)), Exact(expected));
}

void tst_StretchMath::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");

    QTest::newRow("half down to even zero") << 0.5 << 0;
    QTest::newRow("half up to even two") << 1.5 << 2;
    QTest::newRow("half down to even two") << 2.5 << 2;
    QTest::newRow("half up to even 28") << 27.5 << 28;
    QTest::newRow("negative half to zero") << -0.5 << 0;
    QTest::newRow("negative half to -2") << -1.5 << -2;
    QTest::newRow("negative half to -2 from above") << -2.5 << -2;
    QTest::newRow("26.25 pt font") << 26.25 << 26;
    QTest::newRow("21.75 pt font") << 21.75 << 22;
    QTest::newRow("32.25 pt font") << 32.25 << 32;
    QTest::newRow("just below a half") << 2.4999999 << 2;
    QTest::newRow("just above a half") << 2.5000001 << 3;
    QTest::newRow("whole number") << 36.0 << 36;
    QTest::newRow("negative position") << -480.0 << -480;
}

void tst_StretchMath::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(int, expected);

    QCOMPARE(int{RoundHalfEven(value)}, expected);
}

void tst_StretchMath::roundHalfEvenClamps_data()
{
    constexpr double infinity = std::numeric_limits<double>::infinity();

    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");

    QTest::newRow("largest that fits") << 32767.0 << 32767;
    QTest::newRow("rounds down to the largest") << 32767.4 << 32767;
    QTest::newRow("half above the largest") << 32767.5 << 32767;
    QTest::newRow("one above the largest") << 32768.0 << 32767;
    QTest::newRow("4K window width") << 57600.0 << 32767;
    QTest::newRow("smallest that fits") << -32768.0 << -32768;
    QTest::newRow("below the smallest") << -40000.0 << -32768;
    QTest::newRow("infinity") << infinity << 32767;
    QTest::newRow("minus infinity") << -infinity << -32768;
    QTest::newRow("not a number") << std::nan("") << 0;
}

void tst_StretchMath::roundHalfEvenClamps()
{
    QFETCH(double, value);
    QFETCH(int, expected);

    QCOMPARE(int{RoundHalfEven(value)}, expected);
}

void tst_StretchMath::scaledIntegerProperty_data()
{
    QTest::addColumn<float>("current");
    QTest::addColumn<float>("base");
    QTest::addColumn<float>("noted");
    QTest::addColumn<int>("expected");

    QTest::newRow("LED size twice as high") << 13590.f << 6795.f << 110.f << 220;
    QTest::newRow("border 7 one and a half high halves to 10") << 10192.5f << 6795.f << 7.f << 10;
    QTest::newRow("border 5 one and a half high halves to 8") << 10192.5f << 6795.f << 5.f << 8;
    QTest::newRow("LED size 110 at 1.25 halves to 138") << 8493.75f << 6795.f << 110.f << 138;
    QTest::newRow("LED size 102 at 1.25 halves to 128") << 8493.75f << 6795.f << 102.f << 128;
    QTest::newRow("rounded up, not cut") << 4500.f << 6795.f << 110.f << 73;
    QTest::newRow("shrunk below one") << 15.f << 6795.f << 4.f << 1;
}

void tst_StretchMath::scaledIntegerProperty()
{
    QFETCH(float, current);
    QFETCH(float, base);
    QFETCH(float, noted);
    QFETCH(int, expected);

    QCOMPARE(int{RoundHalfEven(ScaledExtent(current, base, noted))}, expected);
}

QTEST_GUILESS_MAIN(tst_StretchMath)
#include "tst_stretchmath.moc"
