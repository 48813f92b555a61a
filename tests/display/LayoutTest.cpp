#include "display/Label.h"
#include "display/LedGroup.h"
#include "display/modStretch.h"
#include "display/PictureBox.h"
#include "display/Shape.h"
#include "display/Twips.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A window of a few controls of each scaled kind, recorded at 632 x 453 pixels (9480 x 6795 twips).
struct Window
{
    QWidget window;
    Label *label = new Label(u"PERIOD"_s, &window);
    Shape *frame = new Shape(Shape::Kind::RoundedRectangle, &window);
    PictureBox *panel = new PictureBox(&window);
    LedGroup cells {u"pledTest"_s};

    Window()
    {
        label->SetFontSize(26.25);
        SetTwipsRect(label, {3653, 4400, 2175, 735});
        SetTwipsRect(frame, {120, 960, 9255, 5655});
        frame->SetBorderWidth(7);
        SetTwipsRect(panel, {360, 3840, 3255, 1935});
        for (double left : {2160.0, -480.0})
            SetTwipsRect(cells.AddCell(panel), {left, 120, 930, 1665});
        window.resize(632, 453);
        RecordLayout(&window);
    }
    void ResizeTo(double widthRatio, double heightRatio)
    {
        window.resize(qRound(632 * widthRatio), qRound(453 * heightRatio));
        StretchLayout(&window);
    }
};

} // namespace

// Proportional layout scaling: the arithmetic, and a small window scaled to many shapes.
class LayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void roundsHalfToEvenWithinSixteenBits_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("rounded");
        QTest::newRow("26.25 down") << 26.25 << 26;
        QTest::newRow("21.75 up") << 21.75 << 22;
        QTest::newRow("27.5 to even 28") << 27.5 << 28;
        QTest::newRow("beyond 16 bits clamped") << 40000.0 << 32767;
        QTest::newRow("NaN gives 0") << std::nan("") << 0;
    }
    void roundsHalfToEvenWithinSixteenBits()
    {
        QFETCH(double, value);
        QFETCH(int, rounded);
        QCOMPARE(int {RoundHalfEven(value)}, rounded);
    }

    void scales_data()
    {
        QTest::addColumn<double>("widthRatio");
        QTest::addColumn<double>("heightRatio");
        QTest::newRow("design size") << 1.0 << 1.0;
        QTest::newRow("twice as wide") << 2.0 << 1.0;
        QTest::newRow("3:4 upright") << 1.0 << 1.86;
        QTest::newRow("shrunk to a sliver") << 0.05 << 0.02;
    }
    void scales()
    {
        QFETCH(double, widthRatio);
        QFETCH(double, heightRatio);
        Window w;
        w.ResizeTo(widthRatio, heightRatio);
        const double across = w.window.width() / 632.0;
        const double down = w.window.height() / 453.0;
        const double uniform = std::min(across, down);

        // Frames and panels stretch with the window, never below one pixel.
        const QRectF frame = TwipsRect(w.frame);
        QCOMPARE(qRound(frame.left()), qRound(120 * across));
        QCOMPARE(qRound(frame.height()), qRound(std::max(1.0, 5655 * down)));
        QCOMPARE(w.frame->BorderWidth(), std::max(1, qRound(7 * down)));
        // Text and digits keep their shape, at the smaller ratio.
        QCOMPARE(w.label->FontSize(), std::max(1.0, 26 * uniform));
        QCOMPARE(w.cells[0]->Size(), std::max(1, int {RoundHalfEven(110 * uniform)}));
        // The two cells stay side by side as designed, around the panel's middle, one digit apart.
        const QRectF units = w.cells[0]->geometry();
        const QRectF hundreds = w.cells[1]->geometry();
        QVERIFY(!units.intersects(hundreds) || uniform < 0.1);
        QVERIFY(qAbs((units.center() - hundreds.center()).x() - 2640 / TwipsPerPixel * uniform) <= 1.5);
        QVERIFY(qAbs(units.center().y() - w.panel->height() / 2.0 + 15 / TwipsPerPixel * uniform) <= 1.5);
    }

    void doesNotDriftOverManyResizes()
    {
        Window w;
        const QRectF before = TwipsRect(w.frame);
        for (int step = 0; step < 200; ++step)
            w.ResizeTo(1 + (step % 7) * 0.37, 1 + (step % 5) * 0.53);
        w.ResizeTo(1, 1);
        QCOMPARE(TwipsRect(w.frame), before);
        QCOMPARE(w.cells[1]->geometry(), QRect(-32, 8, 62, 111));
    }

    void leavesTheLayoutAloneWithNothingToScaleBy()
    {
        Window w;
        // A recording at a size beyond 16 bits keeps the last layout: a clamped base would skew every ratio.
        w.window.resize(2600, 453);
        RecordLayout(&w.window);
        QCOMPARE(BaseWidth, qint16(9480));
        w.window.showMinimized();
        w.window.resize(100, 100);
        StretchLayout(&w.window);
        QCOMPARE(TwipsRect(w.frame), QRectF(120, 960, 9255, 5655));
        w.window.showNormal();
        BaseWidth = 0;
        StretchLayout(&w.window);
        QCOMPARE(TwipsRect(w.frame), QRectF(120, 960, 9255, 5655));
    }
};

QUORVANE_TEST(LayoutTest)
#include "LayoutTest.moc"
