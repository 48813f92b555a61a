// One start of the real program on the X server of DISPLAY, timed by what reaches the screen: from the
// launch until the splash's pixels are there, and from a click on the splash until the board's are.
// Screen pixels are read every 2 ms, so the figures are what an operator sees, not when a window was
// asked for. Prints "splash_ms board_ms pid" and leaves the program running for bench.sh to measure.
//
// Usage: bench_launch PROGRAM SPLASH-X SPLASH-Y (where on the splash the click goes)

#include "Twips.h"

#include <QGuiApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QThread>

#include <cstdio>

#include <X11/extensions/XTest.h>

namespace {

// The board's window colour as a fresh settings folder gives it.
constexpr QRgb FormBack = 0x404040;

QRgb pixelAt(QScreen *screen, QPoint point)
{
    return screen->grabWindow(0, point.x(), point.y(), 1, 1).toImage().pixel(0, 0) & 0xFFFFFF;
}

// Milliseconds until the pixel at the point passes the test, or -1 after 20 s.
template <class Test>
double waitFor(QScreen *screen, QPoint point, const QElapsedTimer &since, Test passes)
{
    while (since.elapsed() < 20'000) {
        if (passes(pixelAt(screen, point)))
            return since.nsecsElapsed() / 1e6;
        QThread::msleep(2);
    }
    return -1;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: bench_launch PROGRAM SPLASH-X SPLASH-Y\n");
        return 2;
    }
    QScreen *screen = QGuiApplication::primaryScreen();

    // The splash covers the middle of the screen; the board opens centred, and its left margin shows
    // the window colour from its first paint.
    const QPoint middle = screen->geometry().center();
    const QSize board(TwipsToPixels(BOARD_DESIGN_WIDTH), TwipsToPixels(BOARD_DESIGN_HEIGHT));
    const QPoint margin = screen->availableGeometry().center() - QPoint(board.width() / 2, board.height() / 2)
                          + QPoint(3, 3);
    const QRgb empty = pixelAt(screen, middle);

    QElapsedTimer clock;
    qint64 pid = 0;
    clock.start();
    // The program's output goes nowhere, or it would hold bench.sh's pipe open as long as it runs.
    QProcess program;
    program.setProgram(QString::fromLocal8Bit(argv[1]));
    program.setStandardOutputFile(QProcess::nullDevice());
    program.setStandardErrorFile(QProcess::nullDevice());
    if (!program.startDetached(&pid)) {
        std::fprintf(stderr, "bench_launch: cannot start %s\n", argv[1]);
        return 1;
    }
    const double splash = waitFor(screen, middle, clock, [empty](QRgb seen) { return seen != empty; });

    // The point the end-to-end test clicks, on the splash's own text (given by bench.sh). The pointer goes there
    // first and only the click is timed, injected from here: a helper started for it would add its own start-up.
    QProcess search;
    search.start(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                              QStringLiteral("--name"), QStringLiteral("^Welcome to Quorvane$")});
    search.waitForFinished();
    const QString window = QString::fromLocal8Bit(search.readAllStandardOutput()).section(u'\n', 0, 0);
    QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QStringLiteral("--sync"),
                                                  QStringLiteral("--window"), window,
                                                  QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3])});
    Display *display = XOpenDisplay(nullptr);
    clock.start();
    XTestFakeButtonEvent(display, Button1, True, CurrentTime);
    XTestFakeButtonEvent(display, Button1, False, CurrentTime);
    XFlush(display);
    const double shown = waitFor(screen, margin, clock, [](QRgb seen) { return seen == FormBack; });

    XCloseDisplay(display);
    std::printf("%.1f %.1f %lld\n", splash, shown, static_cast<long long>(pid));
    return splash < 0 || shown < 0;
}
