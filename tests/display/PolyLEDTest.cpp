#include "display/ColorRef.h"
#include "display/KeyAscii.h"
#include "display/PolyLED.h"
#include "support/TestRegistry.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>

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

int litPixelsIn(const QImage &image, const QRect &area, const QColor &lit)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y) == lit;
    return count;
}

} // namespace

// The LED digit cell: what it draws, when it repaints, which keys it reports.
class PolyLEDTest : public QObject
{
    Q_OBJECT

private slots:
    void repaintsOnlyOnChange_data()
    {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("repaints");
        // The 50 ms tick writes the same values over and over.
        QTest::newRow("same digit") << "Caption"_ba << QVariant(3) << false;
        QTest::newRow("same colours") << "LitColor"_ba << QVariant(255) << false;
        QTest::newRow("same mark") << "Marked"_ba << QVariant(false) << false;
        QTest::newRow("other digit") << "Caption"_ba << QVariant(4) << true;
        QTest::newRow("other back colour") << "BackColor"_ba << QVariant(0x404040) << true;
        QTest::newRow("marked") << "Marked"_ba << QVariant(true) << true;
    }
    void repaintsOnlyOnChange()
    {
        QFETCH(QByteArray, property);
        QFETCH(QVariant, value);
        QFETCH(bool, repaints);
        CountingCell cell;
        cell.SetCaption(3);
        cell.show();
        QVERIFY(QTest::qWaitForWindowExposed(&cell));
        QCoreApplication::processEvents();
        cell.paints = 0;
        if (property == "Marked")
            cell.SetMarked(value.toBool());
        else
            QVERIFY(cell.setProperty(property.constData(), value));
        QCoreApplication::processEvents();
        QCOMPARE(cell.paints > 0, repaints);
    }

    void drawsTheDigit()
    {
        PolyLED cell;
        cell.SetLitColor(0x00C000);
        const QColor lit = ToQColor(0x00C000);
        const auto shot = [&cell](int digit) {
            cell.SetCaption(digit);
            return cell.grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        const QImage eight = shot(8);
        const QRect leftHalf(0, 0, eight.width() / 2, eight.height());
        const QRect rightHalf = leftHalf.translated(eight.width() / 2, 0);
        QVERIFY(litPixelsIn(eight, leftHalf, lit) > 0);
        // A 1 lights only its right-hand segments; a blank cell lights nothing.
        const QImage one = shot(1);
        QCOMPARE(litPixelsIn(one, leftHalf, lit), 0);
        QVERIFY(litPixelsIn(one, rightHalf, lit) > 0);
        QCOMPARE(litPixelsIn(shot(-1), eight.rect(), lit), 0);
        QCOMPARE(shot(10), shot(-1));
    }

    void reportsTypedKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("autoRepeat");
        QTest::addColumn<int>("code"); // -1: not reported
        QTest::newRow("digit 7") << int(Qt::Key_7) << u"7"_s << false << 55;
        QTest::newRow("capital S") << int(Qt::Key_S) << u"S"_s << false << 83;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << u"\r"_s << false << 13;
        QTest::newRow("e acute, Latin-1") << int(Qt::Key_Eacute) << QString(QChar(0xE9)) << false << 233;
        QTest::newRow("a held key repeating") << int(Qt::Key_S) << u"s"_s << true << -1;
        QTest::newRow("left arrow") << int(Qt::Key_Left) << QString() << false << -1;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << u"\t"_s << false << -1;
        QTest::newRow("euro sign, beyond 255") << int(Qt::Key_unknown) << QString(QChar(0x20AC)) << false << -1;
    }
    void reportsTypedKeys()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(bool, autoRepeat);
        QFETCH(int, code);
        PolyLED cell(2);
        QSignalSpy keys(&cell, &PolyLED::KeyPress);
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text, autoRepeat);
        QCoreApplication::sendEvent(&cell, &event);
        QCOMPARE(keys.count(), code < 0 ? 0 : 1);
        if (code >= 0)
            QCOMPARE(keys.at(0), (QVariantList {2, QVariant::fromValue(qint16(code))}));
    }

    void repeatSentAsReleaseAndPressActsOnce()
    {
        // A held key on X11 may come as a release and a press at the same instant, neither marked a repeat.
        PolyLED cell;
        QSignalSpy keys(&cell, &PolyLED::KeyPress);
        for (const quint64 time : {1000, 1000, 1040, 1200}) {
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_S, Qt::NoModifier, u"s"_s);
            release.setTimestamp(time == 1200 ? 1100 : time);
            NoteKeyRelease(&release);
            QKeyEvent press(QEvent::KeyPress, Qt::Key_S, Qt::NoModifier, u"s"_s);
            press.setTimestamp(time);
            QCoreApplication::sendEvent(&cell, &press);
        }
        // THEN only the press 100 ms after its release is a new one
        QCOMPARE(keys.count(), 1);
    }
};

QUORVANE_TEST(PolyLEDTest)
#include "PolyLEDTest.moc"
