#include "TestBoard.h"

#include "display/Label.h"
#include "display/PictureBox.h"
#include "display/PolyLED.h"
#include "display/Shape.h"
#include "display/Twips.h"
#include "display/modStretch.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

// Recording and scaling the layout of a real window of the board's controls.
class tst_modStretch : public QObject
{
    Q_OBJECT

private slots:
    void init();

    // Recording
    void recordsTheFiveTypesInCreationOrder();
    void recordsRoundedValues_data();
    void recordsRoundedValues();
    void clampsValuesBeyondSixteenBits();
    void leavesAFontSetInPixelsAlone();

    // Scaling
    void scales_data();
    void scales();
    void keepsTheHundredsCellLeftOfItsPanel_data();
    void keepsTheHundredsCellLeftOfItsPanel();
    void doesNotDriftOverManyResizes();
    void scalesAWindowWiderThanSixteenBits();
    void suspendsPaintingWhileControlsMove();

    // Nothing to do
    void minimisedChangesNothingUntilRestored();
    void doesNothingWithoutABase_data();
    void doesNothingWithoutABase();
    void passesOverADeletedControl();
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

QList<QWidget *> NotedControls()
{
    QList<QWidget *> controls;
    for (const LayoutEntry &entry : std::as_const(LayoutTable)) {
        if (entry.control)
            controls.append(entry.control);
    }
    return controls;
}

const LayoutEntry *EntryOf(const QWidget *control)
{
    for (const LayoutEntry &entry : std::as_const(LayoutTable)) {
        if (entry.control == control)
            return &entry;
    }
    return nullptr;
}

// A label type of its own: it is no "Label", so it is not scaled.
class BannerLabel : public Label
{
    Q_OBJECT

public:
    using Label::Label;
};

// Notes, for every move, resize and font change of the controls it watches, whether the window
// could paint at that moment.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget *window)
        : m_window(window)
    {
    }

    QList<bool> paintingAllowed;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::Move || type == QEvent::Resize || type == QEvent::FontChange)
            paintingAllowed.append(m_window->updatesEnabled());
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *m_window;
};

} // namespace

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
    auto *banner = new BannerLabel(QStringLiteral("banner"), &board);
    auto *dialog = new QDialog(&board);
    auto *dialogLabel = new Label(QStringLiteral("in the dialog"), dialog);

    // WHEN its layout is recorded
    RecordLayout(&board);

    // THEN exactly the board's labels, shapes, panels, images and LED cells are noted, panels just
    // before the cells they hold
    QCOMPARE(NotedControls(), board.ScaledControls());
    for (QWidget *other : QList<QWidget *>{board.plainLabel, board.button, banner, dialogLabel})
        QVERIFY2(!NotedControls().contains(other), qPrintable(other->objectName()));
    // AND the table has one slot more than the window has controls (the plain label, the button and
    // the banner included), the slots after the noted ones empty
    QCOMPARE(LayoutTable.size(), board.ScaledControls().size() + 3 + 1);
    for (qsizetype slot = board.ScaledControls().size(); slot < LayoutTable.size(); ++slot) {
        const LayoutEntry &empty = LayoutTable.at(slot);
        QVERIFY(!empty.control);
        QCOMPARE(empty.Left, 0);
        QCOMPARE(empty.Top, 0);
        QCOMPARE(empty.Width, 0);
        QCOMPARE(empty.Height, 0);
        QCOMPARE(empty.FontSize, 0);
        QCOMPARE(empty.BorderWidth, 0);
        QCOMPARE(empty.Size, 0);
    }
    QCOMPARE(BaseWidth, 9480);
    QCOMPARE(BaseHeight, 6795);
}

void tst_modStretch::recordsRoundedValues_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<int>("borderWidth");
    QTest::addColumn<int>("size");

    QTest::newRow("label at 32.25 pt noted as 32") << "lblTitle" << 120 << 0 << 9255 << 855 << 32 << 0 << 0;
    QTest::newRow("label at 26.25 pt noted as 26") << "lblPeriod" << 3653 << 4400 << 2175 << 735 << 26 << 0 << 0;
    QTest::newRow("label at 21.75 pt noted as 22") << "lblBonus" << 3810 << 3240 << 1875 << 600 << 22 << 0 << 0;
    QTest::newRow("label at 36 pt") << "lblHome" << 0 << 5760 << 4335 << 975 << 36 << 0 << 0;
    QTest::newRow("shape with its line width") << "Shape2" << 120 << 960 << 9255 << 5655 << 0 << 7 << 0;
    QTest::newRow("shape inside a panel") << "shpTime(1)" << 2740 << 1575 << 255 << 255 << 0 << 1 << 0;
    QTest::newRow("panel") << "picHomeScore" << 360 << 3840 << 3255 << 1935 << 0 << 0 << 0;
    QTest::newRow("image") << "imgBonusH" << 3000 << 3210 << 975 << 615 << 0 << 0 << 0;
    QTest::newRow("LED cell: size, no extent") << "pledHomeScore(0)" << 2160 << 120 << 0 << 0 << 0 << 0 << 110;
    QTest::newRow("hundreds cell left of its panel") << "pledHomeScore(2)" << -480 << 120 << 0 << 0 << 0 << 0 << 110;
    QTest::newRow("period cell") << "pledPeriod(0)" << 4320 << 4980 << 0 << 0 << 0 << 0 << 100;
}

void tst_modStretch::recordsRoundedValues()
{
    QFETCH(QString, key);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, fontSize);
    QFETCH(int, borderWidth);
    QFETCH(int, size);

    TestBoard board;
    RecordLayout(&board);

    const LayoutEntry *entry = EntryOf(board.Control(key));
    QVERIFY(entry);
    QCOMPARE(entry->Left, left);
    QCOMPARE(entry->Top, top);
    QCOMPARE(entry->Width, width);
    QCOMPARE(entry->Height, height);
    QCOMPARE(entry->FontSize, fontSize);
    QCOMPARE(entry->BorderWidth, borderWidth);
    QCOMPARE(entry->Size, size);
}

void tst_modStretch::clampsValuesBeyondSixteenBits()
{
    // GIVEN a label placed far outside the window, beyond what 16 bits hold
    TestBoard board;
    auto *far = new Label(QStringLiteral("far"), &board);
    SetTwipsRect(far, {40000, -40000, 36000, 600});

    RecordLayout(&board);

    const LayoutEntry *entry = EntryOf(far);
    QVERIFY(entry);
    QCOMPARE(entry->Left, 32767);
    QCOMPARE(entry->Top, -32768);
    QCOMPARE(entry->Width, 32767);
    QCOMPARE(entry->Height, 600);
}

void tst_modStretch::leavesAFontSetInPixelsAlone()
{
    // GIVEN a label whose font is sized in pixels, so it has no point size
    TestBoard board;
    QFont font = board.lblPeriod->font();
    font.setPixelSize(30);
    board.lblPeriod->setFont(font);

    // WHEN the window is scaled to twice its height
    RecordLayout(&board);
    board.ResizeTo(TestBoard::DesignWidth, 2 * TestBoard::DesignHeight);
    StretchLayout(&board);

    // THEN the text keeps its size while the label itself is scaled
    QCOMPARE(board.lblPeriod->font().pixelSize(), 30);
    QCOMPARE(TwipsRect(board.lblPeriod).height(), 2 * 735.0);
}

void tst_modStretch::scales_data()
{
    QTest::addColumn<double>("windowWidth");
    QTest::addColumn<double>("windowHeight");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QRectF>("twips");
    QTest::addColumn<double>("fontSize");
    QTest::addColumn<int>("borderWidth");
    QTest::addColumn<int>("size");

    const double w = TestBoard::DesignWidth;
    const double h = TestBoard::DesignHeight;
    const QRectF led110(0, 0, 930, 1665);
    const QRectF led100(0, 0, 840, 1515);

    // The fonts noted as whole points show as such even at the base size.
    QTest::newRow("base size: 26.25 pt label shows 26") << w << h << "lblPeriod" << QRectF(3653, 4400, 2175, 735) << 26.0 << 0 << 0;
    QTest::newRow("base size: 21.75 pt label shows 22") << w << h << "lblBonus" << QRectF(3810, 3240, 1875, 600) << 22.0 << 0 << 0;

    // Across and widths double; down, heights, fonts, lines and digits stay.
    QTest::newRow("twice as wide: label") << 2 * w << h << "lblPeriod" << QRectF(7306, 4400, 4350, 735) << 26.0 << 0 << 0;
    QTest::newRow("twice as wide: label at Top 0") << 2 * w << h << "lblTitle" << QRectF(240, 0, 18510, 855) << 32.0 << 0 << 0;
    QTest::newRow("twice as wide: label at Left 0") << 2 * w << h << "lblHome" << QRectF(0, 5760, 8670, 975) << 36.0 << 0 << 0;
    QTest::newRow("twice as wide: shape") << 2 * w << h << "Shape2" << QRectF(240, 960, 18510, 5655) << 0.0 << 7 << 0;
    QTest::newRow("twice as wide: panel") << 2 * w << h << "picHomeScore" << QRectF(720, 3840, 6510, 1935) << 0.0 << 0 << 0;
    QTest::newRow("twice as wide: image") << 2 * w << h << "imgBonusH" << QRectF(6000, 3210, 1950, 615) << 0.0 << 0 << 0;
    QTest::newRow("twice as wide: units cell") << 2 * w << h << "pledHomeScore(0)" << led110.translated(4320, 120) << 0.0 << 0 << 110;
    QTest::newRow("twice as wide: hundreds cell") << 2 * w << h << "pledHomeScore(2)" << led110.translated(-960, 120) << 0.0 << 0 << 110;
    QTest::newRow("twice as wide: period cell") << 2 * w << h << "pledPeriod(0)" << led100.translated(8640, 4980) << 0.0 << 0 << 100;
    QTest::newRow("twice as wide: dot in a panel") << 2 * w << h << "shpTime(0)" << QRectF(5480, 240, 510, 255) << 0.0 << 1 << 0;

    // Down, heights, fonts, lines and digits double; across and widths stay.
    QTest::newRow("twice as high: 36 pt label") << w << 2 * h << "lblHome" << QRectF(0, 11520, 4335, 1950) << 72.0 << 0 << 0;
    QTest::newRow("twice as high: 26.25 pt label") << w << 2 * h << "lblPeriod" << QRectF(3653, 8800, 2175, 1470) << 52.0 << 0 << 0;
    QTest::newRow("twice as high: label at Top 0") << w << 2 * h << "lblTitle" << QRectF(120, 0, 9255, 1710) << 64.0 << 0 << 0;
    QTest::newRow("twice as high: shape") << w << 2 * h << "Shape2" << QRectF(120, 1920, 9255, 11310) << 0.0 << 14 << 0;
    QTest::newRow("twice as high: panel") << w << 2 * h << "picHomeScore" << QRectF(360, 7680, 3255, 3870) << 0.0 << 0 << 0;
    QTest::newRow("twice as high: LED size 110") << w << 2 * h << "pledHomeScore(2)" << QRectF(-480, 240, 1920, 3315) << 0.0 << 0 << 220;
    QTest::newRow("twice as high: LED size 100") << w << 2 * h << "pledPeriod(0)" << QRectF(4320, 9960, 1740, 3015) << 0.0 << 0 << 200;

    // 300 of 453 pixels: integer properties are rounded, not cut (72.8 gives 73, 4.6 gives 5).
    QTest::newRow("shrunk: LED size rounded") << w << 4500.0 << "pledTime(1)" << QRectF(1560, 4500.f / 6795.f * 120.f, 597, 1110) << 0.0 << 0 << 73;
    QTest::newRow("shrunk: line width rounded") << w << 4500.0 << "Shape2" << QRectF(120, 4500.f / 6795.f * 960.f, 9255, 4500.f / 6795.f * 5655.f) << 0.0 << 5 << 0;

    // One pixel square: whatever would fall below 1 (a small shape's extent, every font, line and
    // digit size) stops at 1.
    QTest::newRow("one pixel: label") << 15.0 << 15.0 << "lblHome" << QRectF(0, 15.f / 6795.f * 5760.f, 15.f / 9480.f * 4335.f, 15.f / 6795.f * 975.f) << 1.0 << 0 << 0;
    QTest::newRow("one pixel: shape") << 15.0 << 15.0 << "shpBonusH" << QRectF(15.f / 9480.f * 3120.f, 15.f / 6795.f * 3330.f, 15.f / 9480.f * 735.f, 1) << 0.0 << 1 << 0;
    QTest::newRow("one pixel: dot in a panel") << 15.0 << 15.0 << "shpTime(0)" << QRectF(15.f / 9480.f * 2740.f, 15.f / 6795.f * 240.f, 1, 1) << 0.0 << 1 << 0;
    QTest::newRow("one pixel: LED cell") << 15.0 << 15.0 << "pledPeriod(0)" << QRectF(15.f / 9480.f * 4320.f, 15.f / 6795.f * 4980.f, 15, 30) << 0.0 << 0 << 1;
}

void tst_modStretch::scales()
{
    QFETCH(double, windowWidth);
    QFETCH(double, windowHeight);
    QFETCH(QString, key);
    QFETCH(QRectF, twips);
    QFETCH(double, fontSize);
    QFETCH(int, borderWidth);
    QFETCH(int, size);

    // GIVEN the board recorded at its design size
    TestBoard board;
    RecordLayout(&board);
    QWidget *control = board.Control(key);
    QVERIFY(control);

    // WHEN the window takes its new size
    board.ResizeTo(windowWidth, windowHeight);
    StretchLayout(&board);

    // THEN the control shows at its place for that size
    const Look look = LookOf(control);
    QCOMPARE(look.twips, twips);
    QCOMPARE(look.fontSize, fontSize);
    QCOMPARE(look.borderWidth, borderWidth);
    QCOMPARE(look.size, size);
}

void tst_modStretch::keepsTheHundredsCellLeftOfItsPanel_data()
{
    QTest::addColumn<double>("windowWidth");

    QTest::newRow("twice as wide") << 2 * TestBoard::DesignWidth;
    QTest::newRow("one and a half as wide") << 1.5 * TestBoard::DesignWidth;
    QTest::newRow("a third as wide") << TestBoard::DesignWidth / 3;
    QTest::newRow("1920 pixels") << 1920 * TwipsPerPixel;
}

void tst_modStretch::keepsTheHundredsCellLeftOfItsPanel()
{
    QFETCH(double, windowWidth);

    TestBoard board;
    RecordLayout(&board);
    board.ResizeTo(windowWidth, TestBoard::DesignHeight);
    StretchLayout(&board);

    // The cell sticks out of its panel on the left by the same share of the panel's width as designed.
    const double cellLeft = TwipsRect(board.pledHomeScore[2]).left();
    const double panelWidth = TwipsRect(board.picHomeScore).width();
    QVERIFY(cellLeft < 0);
    QVERIFY2(qAbs(cellLeft / panelWidth - -480.0 / 3255.0) < 1e-6, qPrintable(QString::number(cellLeft / panelWidth)));
}

void tst_modStretch::doesNotDriftOverManyResizes()
{
    // GIVEN the board recorded at its design size
    TestBoard board;
    RecordLayout(&board);

    // WHEN it is resized a thousand times, from one pixel to wider than 16 bits of twips, then back
    QRandomGenerator random(20240611);
    for (int i = 0; i < 1000; ++i) {
        board.ResizeTo(random.bounded(1, 3000) * TwipsPerPixel, random.bounded(1, 2000) * TwipsPerPixel);
        StretchLayout(&board);
    }
    board.ResizeTo(TestBoard::DesignWidth, TestBoard::DesignHeight);
    StretchLayout(&board);

    // THEN every noted control stands exactly at its noted values
    for (const LayoutEntry &entry : std::as_const(LayoutTable)) {
        if (!entry.control)
            continue;
        const Look look = LookOf(entry.control);
        QCOMPARE(look.twips.left(), entry.Left);
        QCOMPARE(look.twips.top(), entry.Top);
        if (entry.Width != 0) {
            QCOMPARE(look.twips.width(), entry.Width);
            QCOMPARE(look.twips.height(), entry.Height);
        }
        QCOMPARE(look.fontSize, entry.FontSize);
        QCOMPARE(look.borderWidth, entry.BorderWidth);
        QCOMPARE(look.size, entry.Size);
    }
    QCOMPARE(NotedControls().size(), board.ScaledControls().size());
}

void tst_modStretch::scalesAWindowWiderThanSixteenBits()
{
    // GIVEN the board recorded at its design size
    TestBoard board;
    RecordLayout(&board);

    // WHEN it is made 2560 pixels (38400 twips) wide
    board.ResizeTo(38400, TestBoard::DesignHeight);
    StretchLayout(&board);

    // THEN it scales by its real width
    QCOMPARE(TwipsRect(board.picHomeScore).left(), double(38400.f / 9480.f * 360.f));
    QCOMPARE(TwipsRect(board.picHomeScore).width(), double(38400.f / 9480.f * 3255.f));

    // WHEN the layout is recorded again at that width, which 16 bits cannot hold
    const QList<QWidget *> noted = NotedControls();
    RecordLayout(&board);

    // THEN the layout of the design size stays, so going back to it restores the design exactly
    QCOMPARE(BaseWidth, 9480);
    QCOMPARE(NotedControls(), noted);
    board.ResizeTo(TestBoard::DesignWidth, TestBoard::DesignHeight);
    StretchLayout(&board);
    QCOMPARE(TwipsRect(board.picHomeScore), QRectF(360, 3840, 3255, 1935));
    QCOMPARE(TwipsRect(board.Shape2), QRectF(120, 960, 9255, 5655));
}

void tst_modStretch::suspendsPaintingWhileControlsMove()
{
    // GIVEN the board on screen, its controls watched
    TestBoard board;
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    RecordLayout(&board);
    PaintWatch watch(&board);
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

void tst_modStretch::minimisedChangesNothingUntilRestored()
{
    // GIVEN the board recorded at its design size, then minimised and given a different size
    TestBoard board;
    RecordLayout(&board);
    const QList<Look> before = LooksOf(board.ScaledControls());
    board.setWindowState(Qt::WindowMinimized);
    board.ResizeTo(2 * TestBoard::DesignWidth, 2 * TestBoard::DesignHeight);

    // WHEN it is scaled while minimised
    StretchLayout(&board);

    // THEN nothing changes
    QCOMPARE(LooksOf(board.ScaledControls()), before);

    // WHEN it is restored
    board.setWindowState(Qt::WindowNoState);
    StretchLayout(&board);

    // THEN it takes the proportions of its size
    QCOMPARE(TwipsRect(board.picHomeScore), QRectF(720, 7680, 6510, 3870));
    QCOMPARE(board.pledHomeScore[0]->Size(), 220);
}

void tst_modStretch::doesNothingWithoutABase_data()
{
    QTest::addColumn<bool>("recorded");
    QTest::addColumn<QSize>("recordedSize");

    QTest::newRow("never recorded") << false << QSize();
    QTest::newRow("recorded at no width") << true << QSize(0, 453);
    QTest::newRow("recorded at no height") << true << QSize(632, 0);
}

void tst_modStretch::doesNothingWithoutABase()
{
    QFETCH(bool, recorded);
    QFETCH(QSize, recordedSize);

    // GIVEN a board scaled before any base was recorded, or recorded at a size of nothing
    TestBoard board;
    if (recorded) {
        board.resize(recordedSize);
        RecordLayout(&board);
    }
    board.ResizeTo(2 * TestBoard::DesignWidth, 2 * TestBoard::DesignHeight);
    const QList<Look> before = LooksOf(board.ScaledControls());

    // WHEN it is scaled
    StretchLayout(&board);

    // THEN no control moves or changes
    QCOMPARE(LooksOf(board.ScaledControls()), before);
    QCOMPARE(TwipsRect(board.picHomeScore), QRectF(360, 3840, 3255, 1935));
}

void tst_modStretch::passesOverADeletedControl()
{
    // GIVEN the board recorded, then one of its labels deleted
    TestBoard board;
    RecordLayout(&board);
    delete board.lblBonus;

    // WHEN it is made twice as wide
    board.ResizeTo(2 * TestBoard::DesignWidth, TestBoard::DesignHeight);
    StretchLayout(&board);

    // THEN the others are scaled as ever
    QCOMPARE(TwipsRect(board.lblPeriod), QRectF(7306, 4400, 4350, 735));
    QCOMPARE(TwipsRect(board.picHomeScore), QRectF(720, 3840, 6510, 1935));
}

QTEST_MAIN(tst_modStretch)
#include "tst_modstretch.moc"
