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
        QTest::newRow("same colour") << "LitColor"_ba << QVariant(255) << false;
        QTest::newRow("other digit") << "Caption"_ba << QVariant(4) << true;
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
            cell.setProperty(property.constData(), value);
        QCoreApplication::processEvents();
        QCOMPARE(cell.paints > 0, repaints);
    }

    void drawsOnlyTheSegmentsOfItsDigit()
    {
        PolyLED cell;
        const auto litColumns = [&cell](int digit) {
            cell.SetCaption(digit);
            const QImage image = cell.grab().toImage();
            QList<int> columns;
            for (int x = 0; x < image.width(); ++x)
                for (int y = 0; y < image.height(); ++y)
                    if (image.pixelColor(x, y) == ToQColor(cell.LitColor()) && !columns.contains(x))
                        columns << x;
            return columns;
        };
        QVERIFY(litColumns(8).first() < cell.width() / 2);
        // A 1 lights only its right-hand segments, the only part of a score's hundreds cell in view.
        QVERIFY(litColumns(1).first() > cell.width() / 2);
        QVERIFY(litColumns(-1).isEmpty());
    }

    void reportsTypedKeysOnce_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("autoRepeat");
        QTest::addColumn<int>("code"); // -1: not reported
        QTest::newRow("capital S") << int(Qt::Key_S) << u"S"_s << false << 83;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << u"\r"_s << false << 13;
        QTest::newRow("a held key repeating") << int(Qt::Key_S) << u"s"_s << true << -1;
        QTest::newRow("left arrow") << int(Qt::Key_Left) << QString() << false << -1;
        QTest::newRow("euro sign, beyond 255") << int(Qt::Key_unknown) << u"\u20ac"_s << false << -1;
    }
    void reportsTypedKeysOnce()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(bool, autoRepeat);
        QFETCH(int, code);
        PolyLED cell(2);
        QSignalSpy keys(&cell, &PolyLED::KeyPress);
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text, autoRepeat);
        QCoreApplication::sendEvent(&cell, &event);
        const QList<QVariantList> reported {{2, QVariant::fromValue(qint16(code))}};
        QCOMPARE(keys, code < 0 ? QList<QVariantList>() : reported);
    }

    void repeatSentAsReleaseAndPressActsOnce()
    {
        // A held key on X11 may come as a release and a press at one instant, neither marked a repeat;
        // a finger lifted and pressed again takes longer.
        PolyLED cell;
        QSignalSpy keys(&cell, &PolyLED::KeyPress);
        for (const quint64 gap : {0, 0, 100}) {
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_S, Qt::NoModifier, u"s"_s);
            release.setTimestamp(1000);
            NoteKeyRelease(&release);
            QKeyEvent press(QEvent::KeyPress, Qt::Key_S, Qt::NoModifier, u"s"_s);
            press.setTimestamp(1000 + gap);
            QCoreApplication::sendEvent(&cell, &press);
        }
        QCOMPARE(keys.count(), 1);
    }
};

QUORVANE_TEST(PolyLEDTest)
#include "PolyLEDTest.moc"
