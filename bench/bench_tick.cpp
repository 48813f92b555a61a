// How long one clock tick takes (read the game clock, draw it on the four cells and two dots), and
// whether a tick ever repaints a cell whose digit did not change. Prints figures; passes or fails nothing.

#include "clock/modCount.h"
#include "clock/ShowTime.h"
#include "display/DotGroup.h"
#include "display/LedGroup.h"
#include "support/SteppedClock.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>

#include <cstdio>

namespace {

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QWidget panel;
    panel.resize(400, 140);
    LedGroup cells(QStringLiteral("pledTime"));
    DotGroup dots;
    for (int i = 0; i < 4; ++i)
        cells.AddCell(&panel)->move(10 + i * 90, 8);
    for (int i = 0; i < 2; ++i) {
        auto *dot = new Shape(Shape::Kind::Oval, &panel);
        dot->setGeometry(180, 20 + i * 80, 17, 17);
        dots.Add(dot);
    }
    panel.show();

    SteppedClock clock(QDateTime(QDate(2026, 12, 6), QTime(20, 0)));
    SetCount(ClockValue::FromSeconds(600), 0, 0);
    StartCount(0);

    // 12,000 ticks of 50 ms: the whole ten minutes of a period, down to 0.0.
    constexpr int Ticks = 12000;
    QElapsedTimer timer;
    qint64 tickNanos = 0;

    PaintCounter counters[4];
    for (int i = 0; i < 4; ++i)
        cells[i]->installEventFilter(&counters[i]);
    QApplication::processEvents();
    for (auto &counter : counters)
        counter.paints = 0;

    int captionChanges = 0;
    int needlessRepaints = 0;
    for (int t = 0; t < Ticks; ++t) {
        int before[4];
        for (int i = 0; i < 4; ++i)
            before[i] = cells[i]->Caption();
        int paintsBefore[4];
        for (int i = 0; i < 4; ++i)
            paintsBefore[i] = counters[i].paints;

        clock.Advance(50);
        timer.start();
        ShowTime(GetCount(0), cells, dots);
        tickNanos += timer.nsecsElapsed();

        QApplication::processEvents();
        for (int i = 0; i < 4; ++i) {
            const bool changed = cells[i]->Caption() != before[i];
            captionChanges += changed;
            if (!changed && counters[i].paints != paintsBefore[i])
                ++needlessRepaints;
        }
    }

    std::printf("tick (GetCount + ShowTime on 4 cells and 2 dots): %.2f microseconds per tick over %d ticks\n",
                tickNanos / 1000.0 / Ticks, Ticks);
    std::printf("target: under 20 microseconds per tick\n");
    std::printf("clock at the end: %lld ten-thousandths of a second\n", static_cast<long long>(GetCount(0).Ticks()));
    std::printf("cell digit changes: %d; cells repainted without a digit change: %d\n", captionChanges,
                needlessRepaints);
    return 0;
}
