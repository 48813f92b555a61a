#include "HelpPlacement.h"

#include <algorithm>
#include <optional>

namespace {

// The screen that holds most of the rectangle, or the first one.
QRect screenOf(const QRect &rect, const QList<QRect> &screens)
{
    QRect best = screens.value(0);
    qint64 most = -1;
    for (const QRect &screen : screens) {
        const QRect shared = screen.intersected(rect);
        if (const qint64 area = qint64(shared.width()) * shared.height(); area > most)
            std::tie(best, most) = std::pair(screen, area);
    }
    return best;
}

qint64 covered(const QRect &rect, const QList<QRect> &keep)
{
    qint64 sum = 0;
    for (const QRect &part : keep) {
        const QRect shared = rect.intersected(part);
        sum += qint64(shared.width()) * shared.height();
    }
    return sum;
}

// The place of a window of `size` on `screen` that covers the least of `keep`: its left edge at the screen's
// edges or against a kept part's, and so its top; ties go to the first found, from the screen's top left.
std::pair<QRect, qint64> leastCovering(const QSize &size, const QRect &screen, const QList<QRect> &keep)
{
    QList<int> xs {screen.left(), screen.right() + 1 - size.width()};
    QList<int> ys {screen.top(), screen.bottom() + 1 - size.height()};
    for (const QRect &part : keep) {
        xs << part.left() - size.width() << part.right() + 1;
        ys << part.top() - size.height() << part.bottom() + 1;
    }
    std::pair<QRect, qint64> best {QRect(screen.topLeft(), size), -1};
    for (int y : ys)
        for (int x : xs) {
            const QRect rect(std::clamp(x, screen.left(), std::max(screen.left(), screen.right() + 1 - size.width())),
                             std::clamp(y, screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height())),
                             size.width(), size.height());
            if (const qint64 area = covered(rect, keep); best.second < 0 || area < best.second)
                best = {rect, area};
        }
    return best;
}

} // namespace

QRect PlaceHelp(const QSize &size, const QSize &minimum, const QRect &board, const QList<QRect> &keep,
                const QList<QRect> &screens)
{
    if (screens.isEmpty())
        return QRect(board.topLeft(), size);
    const QRect home = screenOf(board, screens);

    // Beside the board: the room between it and its screen's edges, right, left, below, above.
    const QRect room[] = {QRect(QPoint(board.right() + 1, home.top()), home.bottomRight()),
                          QRect(home.topLeft(), QPoint(board.left() - 1, home.bottom())),
                          QRect(QPoint(home.left(), board.bottom() + 1), home.bottomRight()),
                          QRect(home.topLeft(), QPoint(home.right(), board.top() - 1))};
    const auto beside = [&](const QRect &free, const QSize &fitted) {
        const bool onLeft = free.right() < board.left(), above = free.bottom() < board.top();
        const bool sideways = free.height() == home.height();
        const int x = sideways ? (onLeft ? free.right() + 1 - fitted.width() : free.left())
                               : std::clamp(board.left(), free.left(), free.right() + 1 - fitted.width());
        const int y = sideways ? std::clamp(board.top(), free.top(), free.bottom() + 1 - fitted.height())
                               : (above ? free.bottom() + 1 - fitted.height() : free.top());
        return QRect(QPoint(x, y), fitted);
    };
    for (const QRect &free : room)
        if (free.width() >= size.width() && free.height() >= size.height())
            return beside(free, size);

    // Another screen than the board's, at its centre.
    for (const QRect &screen : screens)
        if (screen != home) {
            const QSize fitted = size.boundedTo(screen.size());
            return QRect(QPoint(screen.left() + (screen.width() - fitted.width()) / 2,
                                screen.top() + (screen.height() - fitted.height()) / 2), fitted);
        }

    // Beside the board, smaller: the largest that still has the minimum size.
    std::optional<QRect> squeezed;
    for (const QRect &free : room) {
        const QSize fitted = size.boundedTo(free.size());
        if (fitted.width() >= minimum.width() && fitted.height() >= minimum.height()
            && (!squeezed || qint64(fitted.width()) * fitted.height() > qint64(squeezed->width()) * squeezed->height()))
            squeezed = beside(free, fitted);
    }
    if (squeezed)
        return *squeezed;

    // The board fills its one screen (a projector mirroring the desk's screen): the largest window that
    // leaves the kept parts in sight, shrunk a tenth at a time in either direction.
    const QSize full = size.boundedTo(home.size());
    const QSize least = minimum.boundedTo(full);
    const auto tenths = [](int from, int to) {
        QList<int> steps;
        for (int tenth = 10; tenth >= 0 && (steps.isEmpty() || steps.last() > to); --tenth)
            steps << std::max(to, from * tenth / 10);
        return steps;
    };
    std::optional<QRect> largest;
    for (int w : tenths(full.width(), least.width()))
        for (int h : tenths(full.height(), least.height()))
            if (const auto [rect, area] = leastCovering(QSize(w, h), home, keep);
                area == 0 && (!largest || qint64(w) * h > qint64(largest->width()) * largest->height()))
                largest = rect;
    return largest ? *largest : leastCovering(full, home, keep).first;
}
