#include "display/ColorRef.h"
#include "display/PolyLED.h"
#include "display/Twips.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <cstdlib>
#include <functional>
#include <limits>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *watched)
    {
        watched->installEventFilter(this);
    }

    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

// Delivers every pending update, so any paint a change asked for has happened when this returns.
void flushPaints()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

using CellChange = std::function<void(PolyLED &)>;

// The pixels of one column of an image that are exactly the given colour.
QList<int> rowsOfColor(const QImage &image, int x, const QColor &color)
{
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        if (image.pixelColor(x, y) == color)
            rows.append(y);
    }
    return rows;
}

int runsIn(const QList<int> &rows)
{
    int runs = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (i == 0 || rows.at(i) != rows.at(i - 1) + 1)
            ++runs;
    }
    return runs;
}

bool rowHasColor(const QImage &image, int y, int fromX, int toX, const QColor &color)
{
    for (int x = fromX; x < toX; ++x) {
        if (image.pixelColor(x, y) == color)
            return true;
    }
    return false;
}

int distance(const QColor &a, const QColor &b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

QImage picture(PolyLED &cell)
{
    return cell.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

Q_DECLARE_METATYPE(CellChange)

class tst_PolyLED : public QObject
{
    Q_OBJECT

private slots:
    // Extent
    void size_data();
    void size();
    void sizeKeepsPosition();

    // Caption
    void captionNumber_data();
    void captionNumber();
    void captionText_data();
    void captionText();

    // Painting
    void repaintOnlyOnChange_data();
    void repaintOnlyOnChange();
    void pictureOfDigit_data();
    void pictureOfDigit();
    void blankCellShowsNoLitSegment_data();
    void blankCellShowsNoLitSegment();

    // Keys
    void typedKeyReported_data();
    void typedKeyReported();
    void keyWithoutCharacterNotReported_data();
    void keyWithoutCharacterNotReported();
    void tabMovesFocusAndReportsNothing();
};

void tst_PolyLED::size_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QSizeF>("twips");
    QTest::addColumn<QSize>("pixels");

    QTest::newRow("score and clock cell, 110") << 110 << QSizeF(930, 1665) << QSize(62, 111);
    QTest::newRow("period cell, 100") << 100 << QSizeF(840, 1515) << QSize(56, 101);
}

void tst_PolyLED::size()
{
    QFETCH(int, size);
    QFETCH(QSizeF, twips);
    QFETCH(QSize, pixels);

    // GIVEN a cell of the other size, so the extent must really change
    PolyLED cell;
    cell.SetSize(size == 110 ? 100 : 110);

    // WHEN its digit size is set
    cell.SetSize(size);

    // THEN it has sized itself
    QCOMPARE(cell.Size(), size);
    QCOMPARE(TwipsRect(&cell).size(), twips);
    QCOMPARE(cell.size(), pixels);
}

void tst_PolyLED::sizeKeepsPosition()
{
    PolyLED cell;
    SetTwipsRect(&cell, QRectF(4320, 4980, 930, 1665));

    cell.SetSize(100);

    QCOMPARE(TwipsRect(&cell), QRectF(4320, 4980, 840, 1515));
}

void tst_PolyLED::captionNumber_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("written");
    QTest::addColumn<int>("shown");

    // accepted
    QTest::newRow("0") << 5 << 0 << 0;
    QTest::newRow("1") << 5 << 1 << 1;
    QTest::newRow("9") << 5 << 9 << 9;
    QTest::newRow("-1 blanks") << 5 << -1 << -1;
    QTest::newRow("digit on a blank cell") << -1 << 7 << 7;
    // refused: any other number blanks the cell
    QTest::newRow("10") << 5 << 10 << -1;
    QTest::newRow("-2") << 5 << -2 << -1;
    QTest::newRow("large") << 5 << 1000000 << -1;
    QTest::newRow("most negative") << 5 << std::numeric_limits<int>::min() << -1;
}

void tst_PolyLED::captionNumber()
{
    QFETCH(int, before);
    QFETCH(int, written);
    QFETCH(int, shown);

    PolyLED cell;
    cell.SetCaption(before);

    cell.SetCaption(written);

    QCOMPARE(cell.Caption(), shown);
    QCOMPARE(cell.property("Caption").toInt(), shown);
}

void tst_PolyLED::captionText_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<int>("shown");

    // accepted
    QTest::newRow("\"0\"") << QStringLiteral("0") << 0;
    QTest::newRow("\"4\"") << QStringLiteral("4") << 4;
    QTest::newRow("\"9\"") << QStringLiteral("9") << 9;
    // refused: anything but one digit character blanks the cell
    QTest::newRow("empty") << QString() << -1;
    QTest::newRow("two digits") << QStringLiteral("12") << -1;
    QTest::newRow("\"-1\"") << QStringLiteral("-1") << -1;
    QTest::newRow("letter") << QStringLiteral("a") << -1;
    QTest::newRow("space before digit") << QStringLiteral(" 5") << -1;
    QTest::newRow("colon, next after 9") << QStringLiteral(":") << -1;
    QTest::newRow("slash, before 0") << QStringLiteral("/") << -1;
    QTest::newRow("Arabic-Indic three") << QString(QChar(0x0663)) << -1;
    QTest::newRow("fullwidth five") << QString(QChar(0xFF15)) << -1;
}

void tst_PolyLED::captionText()
{
    QFETCH(QString, written);
    QFETCH(int, shown);

    PolyLED cell;
    cell.SetCaption(8);

    cell.SetCaption(written);

    QCOMPARE(cell.Caption(), shown);
}

void tst_PolyLED::repaintOnlyOnChange_data()
{
    QTest::addColumn<CellChange>("change");
    QTest::addColumn<bool>("repaints");

    // unchanged: the 50 ms tick writes the same values over and over
    QTest::newRow("same digit") << CellChange([](PolyLED &c) { c.SetCaption(3); }) << false;
    QTest::newRow("same digit as text") << CellChange([](PolyLED &c) { c.SetCaption(QStringLiteral("3")); })
                                        << false;
    QTest::newRow("same lit colour") << CellChange([](PolyLED &c) { c.SetLitColor(255); }) << false;
    QTest::newRow("same back colour") << CellChange([](PolyLED &c) { c.SetBackColor(0); }) << false;
    QTest::newRow("same size") << CellChange([](PolyLED &c) { c.SetSize(110); }) << false;
    // changed
    QTest::newRow("other digit") << CellChange([](PolyLED &c) { c.SetCaption(4); }) << true;
    QTest::newRow("blanked") << CellChange([](PolyLED &c) { c.SetCaption(-1); }) << true;
    QTest::newRow("blanked by a bad number") << CellChange([](PolyLED &c) { c.SetCaption(11); }) << true;
    QTest::newRow("other lit colour") << CellChange([](PolyLED &c) { c.SetLitColor(0xC000); }) << true;
    QTest::newRow("other back colour") << CellChange([](PolyLED &c) { c.SetBackColor(0x404040); }) << true;
}

void tst_PolyLED::repaintOnlyOnChange()
{
    QFETCH(CellChange, change);
    QFETCH(bool, repaints);

    // GIVEN a shown cell showing 3 in red on black, fully painted
    PolyLED cell;
    cell.SetCaption(3);
    cell.SetLitColor(255);
    cell.SetBackColor(0);
    cell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cell));
    flushPaints();
    PaintCounter paints(&cell);

    // WHEN a property is written
    change(cell);
    flushPaints();

    // THEN it was painted again only if what it shows changed
    QCOMPARE(paints.count > 0, repaints);
}

void tst_PolyLED::pictureOfDigit_data()
{
    QTest::addColumn<qint32>("lit");
    QTest::addColumn<qint32>("back");
    QTest::addColumn<int>("size");

    QTest::newRow("red on black, 110") << qint32(0x0000FF) << qint32(0x000000) << 110;
    QTest::newRow("green on dark grey, 100") << qint32(0x00C000) << qint32(0x404040) << 100;
    QTest::newRow("orange on navy, 110") << qint32(0x0080FF) << qint32(0x400000) << 110;
}

void tst_PolyLED::pictureOfDigit()
{
    QFETCH(qint32, lit);
    QFETCH(qint32, back);
    QFETCH(int, size);
    const QColor litColor = ToQColor(lit);
    const QColor backColor = ToQColor(back);

    PolyLED cell;
    cell.SetSize(size);
    cell.SetLitColor(lit);
    cell.SetBackColor(back);

    // An 8 lights every segment: its centre column crosses the top, middle and bottom bars.
    cell.SetCaption(8);
    const QImage eight = picture(cell);
    const int centreX = eight.width() / 2;
    const QList<int> barRows = rowsOfColor(eight, centreX, litColor);
    QCOMPARE(runsIn(barRows), 3);
    QCOMPARE(eight.pixelColor(0, 0), backColor);

    // A 1 lights only the two right-hand segments: the bars are unlit, dim but still visible.
    cell.SetCaption(1);
    const QImage one = picture(cell);
    for (int y : barRows) {
        const QColor unlit = one.pixelColor(centreX, y);
        QVERIFY2(unlit != backColor, qPrintable(QStringLiteral("unlit bar at row %1 is the background").arg(y)));
        QVERIFY2(distance(unlit, backColor) < distance(unlit, litColor),
                 qPrintable(QStringLiteral("unlit bar at row %1 is %2, not dim").arg(y).arg(unlit.name())));
    }
    const int upperQuarter = one.height() / 4;
    QVERIFY(rowHasColor(one, upperQuarter, one.width() / 2, one.width(), litColor));
    QVERIFY(!rowHasColor(one, upperQuarter, 0, one.width() / 2, litColor));
    QVERIFY(rowHasColor(eight, upperQuarter, 0, eight.width() / 2, litColor));
}

void tst_PolyLED::blankCellShowsNoLitSegment_data()
{
    QTest::addColumn<int>("caption");

    QTest::newRow("-1") << -1;
    QTest::newRow("10") << 10;
}

void tst_PolyLED::blankCellShowsNoLitSegment()
{
    QFETCH(int, caption);

    PolyLED cell;
    cell.SetLitColor(0x0000FF);
    cell.SetBackColor(0);
    cell.SetCaption(8);

    cell.SetCaption(caption);

    const QImage image = picture(cell);
    const QColor lit = ToQColor(0x0000FF);
    for (int y = 0; y < image.height(); ++y)
        QVERIFY2(!rowHasColor(image, y, 0, image.width(), lit), qPrintable(QStringLiteral("lit pixel in row %1").arg(y)));
}

void tst_PolyLED::typedKeyReported_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("code");

    QTest::newRow("digit 7") << int(Qt::Key_7) << QStringLiteral("7") << int(Qt::NoModifier) << 55;
    QTest::newRow("s") << int(Qt::Key_S) << QStringLiteral("s") << int(Qt::NoModifier) << 115;
    QTest::newRow("S with shift") << int(Qt::Key_S) << QStringLiteral("S") << int(Qt::ShiftModifier) << 83;
    QTest::newRow("plus") << int(Qt::Key_Plus) << QStringLiteral("+") << int(Qt::ShiftModifier) << 43;
    QTest::newRow("minus") << int(Qt::Key_Minus) << QStringLiteral("-") << int(Qt::NoModifier) << 45;
    QTest::newRow("full stop") << int(Qt::Key_Period) << QStringLiteral(".") << int(Qt::NoModifier) << 46;
    QTest::newRow("space") << int(Qt::Key_Space) << QStringLiteral(" ") << int(Qt::NoModifier) << 32;
    QTest::newRow("Return") << int(Qt::Key_Return) << QStringLiteral("\r") << int(Qt::NoModifier) << 13;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << QStringLiteral("\r") << int(Qt::KeypadModifier) << 13;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << QStringLiteral("\x1b") << int(Qt::NoModifier) << 27;
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << QStringLiteral("\b") << int(Qt::NoModifier) << 8;
    QTest::newRow("e acute, Latin-1") << int(Qt::Key_Eacute) << QString(QChar(0xE9)) << int(Qt::NoModifier) << 233;
}

void tst_PolyLED::typedKeyReported()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, modifiers);
    QFETCH(int, code);

    // GIVEN cell 2 of a group with the focus
    PolyLED cell(2);
    cell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cell));
    cell.SetFocus();
    QSignalSpy keys(&cell, &PolyLED::KeyPress);

    // WHEN the key is typed
    QTest::sendKeyEvent(QTest::Click, &cell, Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));

    // THEN it is reported once, with the cell's index and the character code
    QCOMPARE(keys.count(), 1);
    QCOMPARE(keys.at(0).at(0).toInt(), 2);
    QCOMPARE(keys.at(0).at(1).value<qint16>(), qint16(code));
}

void tst_PolyLED::keyWithoutCharacterNotReported_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");

    QTest::newRow("left arrow") << int(Qt::Key_Left) << QString();
    QTest::newRow("up arrow") << int(Qt::Key_Up) << QString();
    QTest::newRow("F1") << int(Qt::Key_F1) << QString();
    QTest::newRow("F12") << int(Qt::Key_F12) << QString();
    QTest::newRow("Shift alone") << int(Qt::Key_Shift) << QString();
    QTest::newRow("Home") << int(Qt::Key_Home) << QString();
    QTest::newRow("euro sign, beyond 255") << int(Qt::Key_unknown) << QString(QChar(0x20AC));
    QTest::newRow("two characters") << int(Qt::Key_unknown) << QStringLiteral("ab");
}

void tst_PolyLED::keyWithoutCharacterNotReported()
{
    QFETCH(int, key);
    QFETCH(QString, text);

    PolyLED cell;
    cell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cell));
    cell.SetFocus();
    QSignalSpy keys(&cell, &PolyLED::KeyPress);

    QTest::sendKeyEvent(QTest::Click, &cell, Qt::Key(key), text, Qt::NoModifier);

    QCOMPARE(keys.count(), 0);
}

void tst_PolyLED::tabMovesFocusAndReportsNothing()
{
    // GIVEN a cell with the focus and a second control after it
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *cell = new PolyLED;
    auto *next = new QLineEdit;
    layout->addWidget(cell);
    layout->addWidget(next);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    cell->SetFocus();
    QVERIFY(cell->hasFocus());
    QSignalSpy keys(cell, &PolyLED::KeyPress);

    // WHEN Tab is typed, and Shift+Tab on the way back
    QTest::keyClick(cell, Qt::Key_Tab);
    QVERIFY(next->hasFocus());
    QTest::keyClick(next, Qt::Key_Backtab, Qt::ShiftModifier);

    // THEN the focus went on and came back, and the cell reported no key
    QVERIFY(cell->hasFocus());
    QCOMPARE(keys.count(), 0);
}

QTEST_MAIN(tst_PolyLED)
#include "tst_polyled.moc"
