// How long one clock tick takes (read the game clock, draw it on the four cells and two dots, paint what
// changed), how many cell paints a running clock costs a second, and whether a tick ever repaints a cell
// whose digit did not change. The program itself counts no paints, so they are counted here, on the
// board's own cells. Prints rows of bench.sh's table; passes or fails nothing.

#include "modCount.h"
#include "ShowTime.h"
#include "DotGroup.h"
#include "LedGroup.h"
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

    // 12,000 ticks of 50 ms: the whole ten minutes of a period, down to 0.0; the last minute shows tenths.
    constexpr int Ticks = 12000;
    constexpr int TenthsFrom = Ticks - 60 * 20;
    QElapsedTimer timer;
    qint64 tickNanos = 0;
    qint64 paintNanos = 0;

    PaintCounter counters[4];
    for (int i = 0; i < 4; ++i)
        cells[i]->installEventFilter(&counters[i]);
    QApplication::processEvents();

    int paints[2] = {}; // in minutes, in tenths
    int needlessRepaints = 0;
    for (int t = 0; t < Ticks; ++t) {
        int before[4];
        int paintsBefore[4];
        for (int i = 0; i < 4; ++i) {
            before[i] = cells[i]->Caption();
            paintsBefore[i] = counters[i].paints;
        }

        clock.Advance(50);
        timer.start();
        ShowTime(GetCount(0), cells, dots);
        tickNanos += timer.nsecsElapsed();
        timer.start();
        QApplication::processEvents();
        paintNanos += timer.nsecsElapsed();

        for (int i = 0; i < 4; ++i) {
            const int painted = counters[i].paints - paintsBefore[i];
            paints[t >= TenthsFrom] += painted;
            if (painted && cells[i]->Caption() == before[i])
                ++needlessRepaints;
        }
    }

    // Rows of the table bench.sh prints.
    std::printf("| tick: read the clock, set 4 cells and 2 dots | %.2f us | under 20 us |\n", tickNanos / 1000.0 / Ticks);
    std::printf("| tick: paint what changed (offscreen) | %.2f us | |\n", paintNanos / 1000.0 / Ticks);
    std::printf("| cell paints per second, running in minutes | %.2f | about 1 |\n", paints[0] / (TenthsFrom / 20.0));
    std::printf("| cell paints per second, running in tenths | %.2f | about 11 |\n",
                paints[1] / ((Ticks - TenthsFrom) / 20.0));
    std::printf("| cells repainted with no digit change | %d | 0 |\n", needlessRepaints);
    std::printf("| clock at the end of the period | %lld ten-thousandths of a second | 0 |\n",
                static_cast<long long>(GetCount(0).Ticks()));
    return 0;
}
