#include "ColorRef.h"
#include "KeyAscii.h"
#include "Label.h"
#include "LedGroup.h"
#include "modStretch.h"
#include "PointerHider.h"
#include "PictureBox.h"
#include "Shape.h"
#include "Twips.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

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

// A key pressed on a cell: its text, the milliseconds since the key's last release, and the code
// reported (-1: none).
struct Press { int key; QString text; quint64 sinceRelease; int code; };

} // namespace

Q_DECLARE_METATYPE(Press)

// The LED digit cell, layout scaling and its arithmetic, and the pointer over a full-screen window, on small
// windows of their own. How the board's
// digits keep their shape at any window shape is the board's tests' business.
class DisplayTest : public QObject
{
    Q_OBJECT

private slots:
    void cellPaintsItsDigit()
    {
        CountingCell cell;
        cell.SetCaption(3);
        cell.show();
        QVERIFY(QTest::qWaitForWindowExposed(&cell));
        // Every tick writes the digit and colour again, most often the same: only another digit paints.
        QList<bool> painted;
        for (const auto &[property, value] : {std::pair {"Caption", 3}, {"LitColor", 255}, {"Caption", 4}}) {
            QCoreApplication::processEvents();
            cell.paints = 0;
            cell.setProperty(property, value);
            QCoreApplication::processEvents();
            painted << (cell.paints > 0);
        }
        QCOMPARE(painted, (QList<bool> {false, false, true}));
        // It draws only the segments of its digit: a 1 lights only its right-hand segments, the only part of a
        // score's hundreds cell in view.
        const auto firstLitColumn = [&cell](int digit) {
            cell.SetCaption(digit);
            const QImage image = cell.grab().toImage();
            for (int x = 0; x < image.width(); ++x)
                for (int y = 0; y < image.height(); ++y)
                    if (image.pixelColor(x, y) == ToQColor(cell.LitColor()))
                        return x;
            return -1;
        };
        QVERIFY(firstLitColumn(8) < cell.width() / 2);
        QVERIFY(firstLitColumn(1) > cell.width() / 2);
        QCOMPARE(firstLitColumn(-1), -1);
    }

    void cellReportsTypedKeysOnce_data()
    {
        QTest::addColumn<Press>("row");
        QTest::newRow("capital S") << Press {Qt::Key_S, u"S"_s, 500, 83};
        QTest::newRow("keypad Enter") << Press {Qt::Key_Enter, u"\r"_s, 500, 13};
        QTest::newRow("left arrow") << Press {Qt::Key_Left, QString(), 500, -1};
        QTest::newRow("euro sign, beyond 255") << Press {Qt::Key_unknown, u"\u20ac"_s, 500, -1};
        // X11 repeats a held key as a release and a press at one instant, not always marked a repeat.
        QTest::newRow("held key, repeated at its release") << Press {Qt::Key_S, u"s"_s, 0, -1};
    }
    void cellReportsTypedKeysOnce()
    {
        QFETCH(Press, row);
        PolyLED cell(2);
        QSignalSpy keys(&cell, &PolyLED::KeyPress);
        QKeyEvent release(QEvent::KeyRelease, row.key, Qt::NoModifier, row.text);
        release.setTimestamp(1000);
        NoteKeyRelease(&release);
        QKeyEvent press(QEvent::KeyPress, row.key, Qt::NoModifier, row.text);
        press.setTimestamp(1000 + row.sinceRelease);
        QCoreApplication::sendEvent(&cell, &press);
        QKeyEvent repeat(QEvent::KeyPress, row.key, Qt::NoModifier, row.text, true);
        QCoreApplication::sendEvent(&cell, &repeat);
        const QList<QVariantList> reported {{2, QVariant::fromValue(qint16(row.code))}};
        QCOMPARE(keys, row.code < 0 ? QList<QVariantList>() : reported);
    }

    void roundsAndFits()
    {
        QList<int> rounded; // half to even, within 16 bits
        for (const double value : {26.25, 21.75, 27.5, 26.5, 40000.0, std::nan("")})
            rounded << RoundHalfEven(value);
        QCOMPARE(rounded, (QList<int> {26, 22, 28, 26, 32767, 0}));
        // A text designed at 36 points with this extent per point in a room 65 high shrinks just enough to fit;
        // where snapped, only whole points count, as glyphs snap to whole pixels.
        const auto fit = [](QSizeF perPoint, double roomWidth, bool snapped = false) {
            return FittingPointSize(36, {roomWidth, 65}, [=](double p) { return perPoint * (snapped ? std::floor(p) : p); });
        };
        QCOMPARE(fit({8, 1.5}, 289), 36.0);  // fits: its design size
        QCOMPARE(fit({10, 1.5}, 289), 28.9); // too wide: just narrow enough
        QCOMPARE(fit({8, 2}, 289), 32.5);    // too tall: just low enough
        QVERIFY(fit({10, 1.5}, 289, true) > 28.95 && fit({10, 1.5}, 289, true) < 29); // just below the next whole point
        QCOMPARE(fit({8, 1.5}, 0), 1.0);     // no room: the floor
    }

    void noDriftAndNothingToScaleBy()
    {
        // A window of a frame, a label and a panel of two cells, recorded at 632 x 453 pixels (9480 x 6795 twips).
        QWidget window;
        auto *label = new Label(u"PERIOD"_s, &window);
        auto *frame = new Shape(Shape::Kind::RoundedRectangle, &window);
        auto *panel = new PictureBox(&window);
        LedGroup cells {u"pledTest"_s};
        label->SetFontSize(26.25);
        SetTwipsRect(label, {3653, 4400, 2175, 735});
        SetTwipsRect(frame, {120, 960, 9255, 5655});
        SetTwipsRect(panel, {360, 3840, 3255, 1935});
        for (double left : {2160.0, -480.0})
            SetTwipsRect(cells.AddCell(panel), {left, 120, 930, 1665});
        window.resize(632, 453);
        RecordLayout(&window);
        const auto resizeTo = [&window](double across, double down) {
            window.resize(qRound(632 * across), qRound(453 * down));
            StretchLayout(&window);
        };
        for (int step = 0; step < 200; ++step)
            resizeTo(1 + (step % 7) * 0.37, 1 + (step % 5) * 0.53);
        resizeTo(1, 1);
        QCOMPARE(TwipsRect(frame), QRectF(120, 960, 9255, 5655));
        QCOMPARE(cells[1]->geometry(), QRect(-32, 8, 62, 111));
        // Shrunk to a pixel, a font, a width or a digit size never falls below 1.
        resizeTo(0.001, 0.001);
        QCOMPARE(label->FontSize() + cells[0]->Size(), 2.0);
        resizeTo(1, 1);
        // A recording beyond 16 bits keeps the last layout; a minimised window or no base scales nothing.
        window.resize(2600, 453);
        RecordLayout(&window);
        QCOMPARE(BaseWidth, qint16(9480));
        window.showMinimized();
        resizeTo(0.2, 0.2);
        BaseWidth = 0;
        window.showNormal();
        resizeTo(0.2, 0.2);
        QCOMPARE(TwipsRect(frame), QRectF(120, 960, 9255, 5655));
    }

    // The pointer over a full-screen window: hidden once it rests, back at once on motion or in a window.
    void pointer_data()
    {
        // "full" and "normal" set the window's state, "move" moves the pointer over it, "other" over another window,
        // "rest" lets the idle time pass; each step followed by "+" where the pointer is hidden after it
        QTest::addColumn<QString>("steps");
        QTest::newRow("in a window it always shows") << u"move rest"_s;
        QTest::newRow("motion shows it at once, rest hides it again") << u"full rest+ move move rest+"_s;
        QTest::newRow("back to a window shows it for good") << u"full rest+ normal rest"_s;
        QTest::newRow("back over the board") << u"full other rest move rest+"_s;
    }
    void pointer()
    {
        QFETCH(QString, steps);
        QWidget board, help;
        auto *hider = new PointerHider(&board, std::chrono::hours(1));
        for (QWidget *w : {&board, &help}) {
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
        }
        QStringList seen;
        for (const QString &step : QString(steps).remove(u'+').split(u' ')) {
            if (step == u"full")
                board.showFullScreen();
            else if (step == u"normal")
                board.showNormal();
            else if (step == u"move" || step == u"other")
                QTest::mouseMove((step == u"move" ? &board : &help)->windowHandle(), QPoint(10 + seen.size(), 20));
            // The idle time passes at once: the pending wait, if the hider started one, ends now.
            else if (auto *idle = hider->findChild<QTimer *>(); idle->isActive()) {
                idle->stop();
                QMetaObject::invokeMethod(idle, "timeout");
            }
            const QCursor *cursor = QGuiApplication::overrideCursor();
            seen << step + ((cursor && cursor->shape() == Qt::BlankCursor) ? u"+"_s : QString());
        }
        QCOMPARE(seen.join(u' '), steps);
        // WHEN the window goes THEN no pointer stays hidden over the rest of the program
        delete hider;
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }
};

QTEST_MAIN(DisplayTest)
#include "DisplayTest.moc"
