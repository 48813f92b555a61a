#include "clock/LocalClock.h"

namespace {

LocalClockSource &Source()
{
    static LocalClockSource source;
    return source;
}

} // namespace

QDateTime CurrentDateTime()
{
    // A replaced source may hand back UTC or another zone; the counters' stamps are local times.
    return Source() ? Source()().toLocalTime() : QDateTime::currentDateTime();
}

LocalTime GetLocalTime()
{
    const QDateTime now = CurrentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();

    LocalTime local;
    local.Year = static_cast<qint16>(date.year());
    local.Month = static_cast<qint16>(date.month());
    local.DayOfWeek = static_cast<qint16>(date.dayOfWeek() % 7); // Qt counts Monday 1 .. Sunday 7; ours is Sunday 0
    local.Day = static_cast<qint16>(date.day());
    local.Hour = static_cast<qint16>(time.hour());
    local.Minute = static_cast<qint16>(time.minute());
    local.Second = static_cast<qint16>(time.second());
    local.Millisecond = static_cast<qint16>(time.msec());
    local.EpochMilliseconds = now.toMSecsSinceEpoch();
    return local;
}

void SetLocalClockSource(LocalClockSource source)
{
    Source() = std::move(source);
}
