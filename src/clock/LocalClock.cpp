#include "LocalClock.h"

#include <QElapsedTimer>

namespace {

struct Sources
{
    WallClockSource Wall;
    MonotonicClockSource Monotonic;
};

Sources &Replaced()
{
    static Sources sources;
    return sources;
}

} // namespace

QDateTime CurrentDateTime()
{
    // A replaced source may hand back UTC or another zone; the stamps and the time of day are local.
    return Replaced().Wall ? Replaced().Wall().toLocalTime() : QDateTime::currentDateTime();
}

qint64 MonotonicMilliseconds()
{
    if (Replaced().Monotonic)
        return Replaced().Monotonic();
    static const QElapsedTimer origin = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return origin.elapsed();
}

LocalTime GetLocalTime()
{
    const QDateTime now = CurrentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {static_cast<qint16>(date.year()), static_cast<qint16>(date.month()),   static_cast<qint16>(date.day()),
            static_cast<qint16>(time.hour()), static_cast<qint16>(time.minute()), static_cast<qint16>(time.second()),
            static_cast<qint16>(time.msec())};
}

void SetClockSources(WallClockSource wall, MonotonicClockSource monotonic)
{
    Replaced() = {std::move(wall), std::move(monotonic)};
}
