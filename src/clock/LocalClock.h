#pragma once

#include <QDateTime>

#include <functional>

// The local date and time with milliseconds: what the start stamp records and the time of day shows.
struct LocalTime
{
    qint16 Year = 0;
    qint16 Month = 0;
    qint16 Day = 0;
    qint16 Hour = 0;
    qint16 Minute = 0;
    qint16 Second = 0;
    qint16 Millisecond = 0;
};

// The one place that reads the system's clocks. The wall clock gives the date and time of day; the
// monotonic clock measures how long the game clock has run, because an operator setting the time or a
// network time correction moves the wall clock and must never move the game time.
LocalTime GetLocalTime();
QDateTime CurrentDateTime();
// Milliseconds on a clock that only ever moves forward at the rate of real time, from any origin.
qint64 MonotonicMilliseconds();

// Tests replace both clocks to step through time; empty functions restore the system's clocks.
// Whatever zone a replaced wall clock answers in, the functions above give local time.
using WallClockSource = std::function<QDateTime()>;
using MonotonicClockSource = std::function<qint64()>;
void SetClockSources(WallClockSource wall, MonotonicClockSource monotonic);
