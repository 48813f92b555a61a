#include "display/StretchMath.h"

#include <QTest>

#include <cmath>
#include <limits>

// The layout arithmetic on its own: ratios, the floor of 1 and rounding into 16 bits.
class tst_StretchMath : public QObject
{
    Q_OBJECT

private slots:
    void scaled_data();
    void scaled();
    void roundHalfEven_data();
    void roundHalfEven();
};

namespace {

// QCOMPARE on floating point forgives small differences; these tests are about the exact bits.
QString Exact(double value)
{
    return QString::number(value, 'g', 17);
}

} // namespace

void tst_StretchMath::scaled_data()
{
    QTest::addColumn<float>("current");
    QTest::addColumn<float>("base");
    QTest::addColumn<float>("noted");
    QTest::addColumn<float>("position");
    QTest::addColumn<double>("extent");
    QTest::addColumn<int>("rounded");

    QTest::newRow("at the base size") << 9480.f << 9480.f << 3653.f << 3653.f << 3653.0 << 3653;
    QTest::newRow("LED size twice as high") << 13590.f << 6795.f << 110.f << 220.f << 220.0 << 220;
    QTest::newRow("font twice as high") << 13590.f << 6795.f << 36.f << 72.f << 72.0 << 72;
    QTest::newRow("twice as wide") << 18960.f << 9480.f << 2160.f << 4320.f << 4320.0 << 4320;
    QTest::newRow("negative, floor of 1 as extent") << 18960.f << 9480.f << -480.f << -960.f << 1.0 << 1;
    QTest::newRow("shrunk below one") << 15.f << 6795.f << 110.f << 0.242825612f << 1.0 << 1;
    QTest::newRow("half, down to even 10") << 10192.5f << 6795.f << 7.f << 10.5f << 10.5 << 10;
    QTest::newRow("half, up to even 8") << 10192.5f << 6795.f << 5.f << 7.5f << 7.5 << 8;
    QTest::newRow("rounded, not cut") << 4500.f << 6795.f << 110.f << 72.8476791f << double(72.8476791f) << 73;
    QTest::newRow("wider than 16 bits") << 57600.f << 9480.f << 360.f << 2187.3418f << double(2187.3418f) << 2187;
    // Single precision: in double this is 3653.3853375527...
    QTest::newRow("single precision") << 9481.f << 9480.f << 3653.f << 3653.3855f << double(3653.3855f) << 3653;
    // Dividing last would give 4341.77197 here.
    QTest::newRow("division first") << 7000.f << 9480.f << 5880.f << 4341.77246f << double(4341.77246f) << 4342;
}

void tst_StretchMath::scaled()
{
    QFETCH(float, current);
    QFETCH(float, base);
    QFETCH(float, noted);
    QFETCH(float, position);
    QFETCH(double, extent);
    QFETCH(int, rounded);

    QCOMPARE(Exact(ScaledPosition(current, base, noted)), Exact(position));
    QCOMPARE(Exact(ScaledExtent(current, base, noted)), Exact(extent));
    QCOMPARE(int{RoundHalfEven(ScaledExtent(current, base, noted))}, rounded);
}

void tst_StretchMath::roundHalfEven_data()
{
    constexpr double infinity = std::numeric_limits<double>::infinity();

    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");

    QTest::newRow("half down to even zero") << 0.5 << 0;
    QTest::newRow("half up to even two") << 1.5 << 2;
    QTest::newRow("half down to even two") << 2.5 << 2;
    QTest::newRow("negative half to -2") << -1.5 << -2;
    QTest::newRow("negative half to -2 from below") << -2.5 << -2;
    QTest::newRow("26.25 pt font") << 26.25 << 26;
    QTest::newRow("21.75 pt font") << 21.75 << 22;
    QTest::newRow("just below a half") << 2.4999999 << 2;
    QTest::newRow("just above a half") << 2.5000001 << 3;
    QTest::newRow("half above the largest") << 32767.5 << 32767;
    QTest::newRow("above the largest") << 57600.0 << 32767;
    QTest::newRow("smallest that fits") << -32768.0 << -32768;
    QTest::newRow("below the smallest") << -40000.0 << -32768;
    QTest::newRow("infinity") << infinity << 32767;
    QTest::newRow("not a number") << std::nan("") << 0;
}

void tst_StretchMath::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(int, expected);

    QCOMPARE(int{RoundHalfEven(value)}, expected);
}

QTEST_GUILESS_MAIN(tst_StretchMath)
#include "tst_stretchmath.moc"
