#include "TestBoard.h"

#include "display/Label.h"
#include "display/PolyLED.h"
#include "display/Shape.h"
#include "display/Twips.h"
#include "display/modStretch.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

// Recording and scaling the layout of a real window of the board's controls.
class tst_modStretch : public QObject
{
    Q_OBJECT

private slots:
    void init();

    // Recording
    void recordsTheFiveTypesInCreationOrder();

    // Scaling
    void scales_data();
    void scales();
    void doesNotDriftOverManyResizes();
    void keepsTheDesignOnRecordingAtMoreThanSixteenBits();
    void suspendsPaintingWhileControlsMove();
    void passesOverADeletedControl();

    // Nothing to do
    void leavesTheLayoutAlone_data();
    void leavesTheLayoutAlone();
};

namespace {

// What the operator would see of a control: where it is and how big its text, line and digit are.
struct Look
{
    QRectF twips;
    double fontSize = 0;
    int borderWidth = 0;
    int size = 0;

    bool operator==(const Look &) const = default;
};

char *toString(const Look &look)
{
    const QRectF &r = look.twips;
    return qstrdup(qPrintable(u"(%1, %2, %3 x %4) font %5 line %6 size %7"_s.arg(r.left()).arg(r.top()).arg(r.width())
                                  .arg(r.height()).arg(look.fontSize).arg(look.borderWidth).arg(look.size)));
}

Look LookOf(const QWidget *control)
{
    Look look{TwipsRect(control)};
    if (const auto *label = qobject_cast<const Label *>(control))
        look.fontSize = label->FontSize();
    if (const auto *shape = qobject_cast<const Shape *>(control))
        look.borderWidth = shape->BorderWidth();
    if (const auto *cell = qobject_cast<const PolyLED *>(control))
        look.size = cell->Size();
    return look;
}

QList<Look> LooksOf(const QList<QWidget *> &controls)
{
    QList<Look> looks;
    for (const QWidget *control : controls)
        looks.append(LookOf(control));
    return looks;
}

// A label type of its own: it is no "Label", so it is not scaled.
class BannerLabel : public Label
{
    Q_OBJECT

public:
    using Label::Label;
};

// Notes, for every move, resize and font change of the controls it watches, whether their window could paint.
class PaintWatch : public QObject
{
public:
    QList<bool> paintingAllowed;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::Move || type == QEvent::Resize || type == QEvent::FontChange)
            paintingAllowed.append(static_cast<QWidget *>(watched)->window()->updatesEnabled());
        return false;
    }
};

} // namespace

Q_DECLARE_METATYPE(Look)

void tst_modStretch::init()
{
    LayoutTable.clear();
    BaseWidth = 0;
    BaseHeight = 0;
}

void tst_modStretch::recordsTheFiveTypesInCreationOrder()
{
    // GIVEN the board, a label of a type of its own, and a dialog the window owns holding a Label
    TestBoard board;
    auto *banner = new BannerLabel(u"banner"_s, &board);
    auto *dialogLabel = new Label(u"in the dialog"_s, new QDialog(&board));

    RecordLayout(&board);
    QList<QWidget *> noted;
    for (const LayoutEntry &entry : std::as_const(LayoutTable)) {
        if (entry.control)
            noted.append(entry.control);
    }

    // THEN exactly the board's labels, shapes, panels, images and LED cells are noted, panels just
    // before their cells, in a table with one slot more than the window has controls
    QCOMPARE(noted, board.ScaledControls());
    for (QWidget *other : QList<QWidget *>{board.plainLabel, board.button, banner, dialogLabel})
        QVERIFY(!noted.contains(other));
    QCOMPARE(LayoutTable.size(), board.ScaledControls().size() + 3 + 1);
    QCOMPARE(BaseWidth, 9480);
    QCOMPARE(BaseHeight, 6795);
}

void tst_modStretch::scales_data()
{
    QTest::addColumn<QSizeF>("window");
    QTest::addColumn<QString>("key");
    QTest::addColumn<Look>("look");

    const double w = TestBoard::DesignWidth;
    const double h = TestBoard::DesignHeight;
    const float wide = 38400.f / 9480.f;
    const float low = 4500.f / 6795.f;
    const float tinyW = 15.f / 9480.f;
    const float tinyH = 15.f / 6795.f;

    // Values are noted as 16-bit whole numbers.
    QTest::newRow("base size: 26.25 pt label shows 26") << QSizeF(w, h) << u"lblPeriod"_s << Look{{3653, 4400, 2175, 735}, 26};
    QTest::newRow("base size: 21.75 pt label shows 22") << QSizeF(w, h) << u"lblBonus"_s << Look{{3810, 3240, 1875, 600}, 22};
    QTest::newRow("base size: far label clamped") << QSizeF(w, h) << u"far"_s << Look{{32767, -32768, 32767, 600}, 8};

    // Across and widths double; down, heights, fonts, lines and digits stay.
    QTest::newRow("twice as wide: label") << QSizeF(2 * w, h) << u"lblPeriod"_s << Look{{7306, 4400, 4350, 735}, 26};
    QTest::newRow("twice as wide: label at Left 0") << QSizeF(2 * w, h) << u"lblHome"_s << Look{{0, 5760, 8670, 975}, 36};
    QTest::newRow("twice as wide: shape") << QSizeF(2 * w, h) << u"Shape2"_s << Look{{240, 960, 18510, 5655}, 0, 7};
    QTest::newRow("twice as wide: image") << QSizeF(2 * w, h) << u"imgBonusH"_s << Look{{6000, 3210, 1950, 615}};
    // The hundreds cell sticks out of its panel by the same share of the panel's width as designed.
    QTest::newRow("twice as wide: panel") << QSizeF(2 * w, h) << u"picHomeScore"_s << Look{{720, 3840, 6510, 1935}};
    QTest::newRow("twice as wide: hundreds cell") << QSizeF(2 * w, h) << u"pledHomeScore(2)"_s << Look{{-960, 120, 930, 1665}, 0, 0, 110};
    QTest::newRow("2560 pixels: panel") << QSizeF(38400, h) << u"picHomeScore"_s << Look{{wide * 360.f, 3840, wide * 3255.f, 1935}};
    QTest::newRow("2560 pixels: hundreds cell") << QSizeF(38400, h) << u"pledHomeScore(2)"_s << Look{{wide * -480.f, 120, 930, 1665}, 0, 0, 110};

    // Down, heights, fonts, lines and digits double; across and widths stay.
    QTest::newRow("twice as high: 36 pt label") << QSizeF(w, 2 * h) << u"lblHome"_s << Look{{0, 11520, 4335, 1950}, 72};
    QTest::newRow("twice as high: 26.25 pt label") << QSizeF(w, 2 * h) << u"lblPeriod"_s << Look{{3653, 8800, 2175, 1470}, 52};
    QTest::newRow("twice as high: label at Top 0") << QSizeF(w, 2 * h) << u"lblTitle"_s << Look{{120, 0, 9255, 1710}, 64};
    QTest::newRow("twice as high: font in pixels") << QSizeF(w, 2 * h) << u"lblVisitor"_s << Look{{5160, 11520, 4335, 1950}, -1};
    QTest::newRow("twice as high: shape") << QSizeF(w, 2 * h) << u"Shape2"_s << Look{{120, 1920, 9255, 11310}, 0, 14};
    QTest::newRow("twice as high: LED size 110") << QSizeF(w, 2 * h) << u"pledHomeScore(2)"_s << Look{{-480, 240, 1920, 3315}, 0, 0, 220};

    // 300 of 453 pixels: integer properties are rounded, not cut (72.8 gives 73, 4.6 gives 5).
    QTest::newRow("shrunk: LED size rounded") << QSizeF(w, 4500) << u"pledTime(1)"_s << Look{{1560, low * 120.f, 597, 1110}, 0, 0, 73};
    QTest::newRow("shrunk: line width rounded") << QSizeF(w, 4500) << u"Shape2"_s << Look{{120, low * 960.f, 9255, low * 5655.f}, 0, 5};

    // One pixel square: whatever would fall below 1 (a small extent, every font, line and digit size) stops at 1.
    QTest::newRow("one pixel: label") << QSizeF(15, 15) << u"lblHome"_s << Look{{0, tinyH * 5760.f, tinyW * 4335.f, tinyH * 975.f}, 1};
    QTest::newRow("one pixel: shape") << QSizeF(15, 15) << u"shpBonusH"_s << Look{{tinyW * 3120.f, tinyH * 3330.f, tinyW * 735.f, 1}, 0, 1};
    QTest::newRow("one pixel: LED cell") << QSizeF(15, 15) << u"pledPeriod(0)"_s << Look{{tinyW * 4320.f, tinyH * 4980.f, 15, 30}, 0, 0, 1};
}

void tst_modStretch::scales()
{
    QFETCH(QSizeF, window);
    QFETCH(QString, key);
    QFETCH(Look, look);

    // GIVEN the board recorded at its design size
    TestBoard board;
    RecordLayout(&board);

    // WHEN the window takes its new size
    board.ResizeTo(window.width(), window.height());
    StretchLayout(&board);

    // THEN the control shows at its place for that size
    QCOMPARE(LookOf(board.Control(key)), look);
}

void tst_modStretch::doesNotDriftOverManyResizes()
{
    // GIVEN the board recorded and scaled at its design size
    TestBoard board;
    RecordLayout(&board);
    StretchLayout(&board);
    const QList<Look> design = LooksOf(board.ScaledControls());

    // WHEN it is resized a thousand times, from one pixel to wider than 16 bits of twips, then back
    QRandomGenerator random(20240611);
    for (int i = 0; i < 1000; ++i) {
        board.ResizeTo(random.bounded(1, 3000) * TwipsPerPixel, random.bounded(1, 2000) * TwipsPerPixel);
        StretchLayout(&board);
    }
    board.ResizeTo(TestBoard::DesignWidth, TestBoard::DesignHeight);
    StretchLayout(&board);

    // THEN every control stands exactly where it did
    QCOMPARE(LooksOf(board.ScaledControls()), design);
}

void tst_modStretch::keepsTheDesignOnRecordingAtMoreThanSixteenBits()
{
    // GIVEN the board recorded at its design size, then made 2560 pixels (38400 twips) wide
    TestBoard board;
    RecordLayout(&board);
    board.ResizeTo(38400, TestBoard::DesignHeight);
    StretchLayout(&board);

    // WHEN the layout is recorded again at that width, which 16 bits cannot hold
    RecordLayout(&board);

    // THEN the layout of the design size stays, so going back to it restores the design exactly
    QCOMPARE(BaseWidth, 9480);
    board.ResizeTo(TestBoard::DesignWidth, TestBoard::DesignHeight);
    StretchLayout(&board);
    QCOMPARE(TwipsRect(board.Control(u"picHomeScore"_s)), QRectF(360, 3840, 3255, 1935));
}

void tst_modStretch::suspendsPaintingWhileControlsMove()
{
    // GIVEN the board on screen, its controls watched
    TestBoard board;
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    RecordLayout(&board);
    PaintWatch watch;
    for (QWidget *control : board.ScaledControls())
        control->installEventFilter(&watch);

    // WHEN it is made twice as high
    board.ResizeTo(TestBoard::DesignWidth, 2 * TestBoard::DesignHeight);
    StretchLayout(&board);

    // THEN no control moved, grew or changed its font while the window could paint, and it can again
    QVERIFY(!watch.paintingAllowed.isEmpty());
    QVERIFY(!watch.paintingAllowed.contains(true));
    QVERIFY(board.updatesEnabled());
}

void tst_modStretch::passesOverADeletedControl()
{
    TestBoard board;
    RecordLayout(&board);
    delete board.Control(u"lblBonus"_s);

    board.ResizeTo(2 * TestBoard::DesignWidth, TestBoard::DesignHeight);
    StretchLayout(&board);

    QCOMPARE(TwipsRect(board.Control(u"picHomeScore"_s)), QRectF(720, 3840, 6510, 1935));
}

void tst_modStretch::leavesTheLayoutAlone_data()
{
    QTest::addColumn<QSize>("recordedAt"); // not recorded when invalid
    QTest::addColumn<bool>("minimised");

    QTest::newRow("never recorded") << QSize() << false;
    QTest::newRow("recorded at no width") << QSize(0, 453) << false;
    QTest::newRow("recorded at no height") << QSize(632, 0) << false;
    QTest::newRow("minimised") << QSize(632, 453) << true;
}

void tst_modStretch::leavesTheLayoutAlone()
{
    QFETCH(QSize, recordedAt);
    QFETCH(bool, minimised);

    // GIVEN a board with no base to scale by, or minimised, then given twice its size
    TestBoard board;
    if (recordedAt.isValid()) {
        board.resize(recordedAt);
        RecordLayout(&board);
    }
    if (minimised)
        board.setWindowState(Qt::WindowMinimized);
    board.ResizeTo(2 * TestBoard::DesignWidth, 2 * TestBoard::DesignHeight);
    const QList<Look> before = LooksOf(board.ScaledControls());

    StretchLayout(&board);

    QCOMPARE(LooksOf(board.ScaledControls()), before);
}

QTEST_MAIN(tst_modStretch)
#include "tst_modstretch.moc"
