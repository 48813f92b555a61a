#include "display/ColorRef.h"
#include "display/PolyLED.h"
#include "display/Twips.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

// A cell that counts the times it is painted.
class CountingCell : public PolyLED
{
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        ++paints;
        PolyLED::paintEvent(event);
    }
};

// Delivers every pending update, so any paint a change asked for has happened when this returns.
void flushPaints()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

QImage picture(PolyLED &cell)
{
    return cell.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool hasColor(const QImage &image, const QRect &area, const QColor &color)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) == color)
                return true;
        }
    }
    return false;
}

int distance(const QColor &a, const QColor &b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

} // namespace

class tst_PolyLED : public QObject
{
    Q_OBJECT

private slots:
    void size_data();
    void size();
    void caption_data();
    void caption();

    // Painting
    void repaintOnlyOnChange_data();
    void repaintOnlyOnChange();
    void pictureOfDigit();

    // Keys
    void keyReported_data();
    void keyReported();
};

void tst_PolyLED::size_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QSizeF>("twips");

    QTest::newRow("score and clock cell, 110") << 110 << QSizeF(930, 1665);
    QTest::newRow("period cell, 100") << 100 << QSizeF(840, 1515);
}

void tst_PolyLED::size()
{
    QFETCH(int, size);
    QFETCH(QSizeF, twips);

    // GIVEN a placed cell of the other size, so the extent must really change
    PolyLED cell;
    cell.SetSize(size == 110 ? 100 : 110);
    SetTwipsRect(&cell, QRectF(QPointF(4320, 4980), TwipsRect(&cell).size()));

    cell.SetSize(size);

    // THEN it has sized itself where it stands
    QCOMPARE(TwipsRect(&cell), QRectF(QPointF(4320, 4980), twips));
}

void tst_PolyLED::caption_data()
{
    QTest::addColumn<QVariant>("written");
    QTest::addColumn<int>("shown");

    QTest::newRow("0") << QVariant(0) << 0;
    QTest::newRow("9") << QVariant(9) << 9;
    QTest::newRow("-1 blanks") << QVariant(-1) << -1;
    QTest::newRow("10 blanks") << QVariant(10) << -1;
    QTest::newRow("-2 blanks") << QVariant(-2) << -1;
    QTest::newRow("text \"0\"") << QVariant(u"0"_s) << 0;
    QTest::newRow("empty text blanks") << QVariant(QString()) << -1;
    QTest::newRow("two digits blank") << QVariant(u"12"_s) << -1;
    QTest::newRow("space before digit blanks") << QVariant(u" 5"_s) << -1;
    QTest::newRow("colon, next after 9, blanks") << QVariant(u":"_s) << -1;
    QTest::newRow("slash, before 0, blanks") << QVariant(u"/"_s) << -1;
    QTest::newRow("Arabic-Indic three blanks") << QVariant(QString(QChar(0x0663))) << -1;
}

void tst_PolyLED::caption()
{
    QFETCH(QVariant, written);
    QFETCH(int, shown);

    PolyLED cell;
    cell.SetCaption(5);

    if (written.typeId() == QMetaType::QString)
        cell.SetCaption(written.toString());
    else
        cell.SetCaption(written.toInt());

    QCOMPARE(cell.Caption(), shown);
}

void tst_PolyLED::repaintOnlyOnChange_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("repaints");

    // The 50 ms tick writes the same values over and over.
    QTest::newRow("same digit") << "Caption"_ba << 3 << false;
    QTest::newRow("same lit colour") << "LitColor"_ba << 255 << false;
    QTest::newRow("same back colour") << "BackColor"_ba << 0 << false;
    QTest::newRow("other digit") << "Caption"_ba << 4 << true;
    QTest::newRow("other lit colour") << "LitColor"_ba << 0xC000 << true;
    QTest::newRow("other back colour") << "BackColor"_ba << 0x404040 << true;
}

void tst_PolyLED::repaintOnlyOnChange()
{
    QFETCH(QByteArray, property);
    QFETCH(int, value);
    QFETCH(bool, repaints);

    // GIVEN a shown cell showing 3 in red on black, fully painted
    CountingCell cell;
    cell.SetCaption(3);
    cell.SetLitColor(255);
    cell.SetBackColor(0);
    cell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cell));
    flushPaints();
    cell.paints = 0;

    QVERIFY(cell.setProperty(property.constData(), value));
    flushPaints();

    QCOMPARE(cell.paints > 0, repaints);
}

void tst_PolyLED::pictureOfDigit()
{
    // GIVEN a cell lit green on dark grey
    PolyLED cell;
    cell.SetLitColor(0x00C000);
    cell.SetBackColor(0x404040);
    const QColor litColor = ToQColor(0x00C000);
    const QColor backColor = ToQColor(0x404040);

    // An 8 lights every segment: its centre column crosses the top, middle and bottom bars.
    cell.SetCaption(8);
    const QImage eight = picture(cell);
    const int centreX = eight.width() / 2;
    QList<int> barRows;
    int bars = 0;
    for (int y = 0; y < eight.height(); ++y) {
        if (eight.pixelColor(centreX, y) != litColor)
            continue;
        bars += barRows.isEmpty() || barRows.last() != y - 1;
        barRows.append(y);
    }
    QCOMPARE(bars, 3);
    QCOMPARE(eight.pixelColor(0, 0), backColor);

    // A 1 lights only the two right-hand segments: the bars are unlit, dim but still visible.
    cell.SetCaption(1);
    const QImage one = picture(cell);
    for (int y : barRows) {
        const QColor unlit = one.pixelColor(centreX, y);
        QVERIFY2(unlit != backColor && distance(unlit, backColor) < distance(unlit, litColor),
                 qPrintable(u"unlit bar at row %1 is %2"_s.arg(y).arg(unlit.name())));
    }
    const int upperQuarter = one.height() / 4;
    const QRect leftHalf(0, upperQuarter, one.width() / 2, 1);
    QVERIFY(hasColor(one, leftHalf.translated(one.width() / 2, 0), litColor));
    QVERIFY(!hasColor(one, leftHalf, litColor));
    QVERIFY(hasColor(eight, leftHalf, litColor));

    // A blank cell lights nothing.
    cell.SetCaption(-1);
    const QImage blank = picture(cell);
    QVERIFY(!hasColor(blank, blank.rect(), litColor));
}

void tst_PolyLED::keyReported_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("code"); // -1: not reported

    QTest::newRow("digit 7") << int(Qt::Key_7) << u"7"_s << int(Qt::NoModifier) << 55;
    QTest::newRow("S with shift") << int(Qt::Key_S) << u"S"_s << int(Qt::ShiftModifier) << 83;
    QTest::newRow("Return") << int(Qt::Key_Return) << u"\r"_s << int(Qt::NoModifier) << 13;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << u"\r"_s << int(Qt::KeypadModifier) << 13;
    QTest::newRow("e acute, Latin-1") << int(Qt::Key_Eacute) << QString(QChar(0xE9)) << int(Qt::NoModifier) << 233;
    QTest::newRow("left arrow") << int(Qt::Key_Left) << QString() << int(Qt::NoModifier) << -1;
    QTest::newRow("F1") << int(Qt::Key_F1) << QString() << int(Qt::NoModifier) << -1;
    QTest::newRow("Tab") << int(Qt::Key_Tab) << u"\t"_s << int(Qt::NoModifier) << -1;
    QTest::newRow("euro sign, beyond 255") << int(Qt::Key_unknown) << QString(QChar(0x20AC)) << int(Qt::NoModifier) << -1;
    QTest::newRow("two characters") << int(Qt::Key_unknown) << u"ab"_s << int(Qt::NoModifier) << -1;
}

void tst_PolyLED::keyReported()
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

    QTest::sendKeyEvent(QTest::Click, &cell, Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));

    // THEN a typed character is reported once, with the cell's index and its code
    QCOMPARE(keys.count(), code < 0 ? 0 : 1);
    if (code >= 0) {
        QCOMPARE(keys.at(0).at(0).toInt(), 2);
        QCOMPARE(keys.at(0).at(1).value<qint16>(), qint16(code));
    }
}

QTEST_MAIN(tst_PolyLED)
#include "tst_polyled.moc"
