#pragma once

#include <QDateTime>

#include <functional>

// The local date and time with milliseconds, as the counters read it.
struct LocalTime
{
    qint16 Year = 0;
    qint16 Month = 0;
    qint16 DayOfWeek = 0;
    qint16 Day = 0;
    qint16 Hour = 0;
    qint16 Minute = 0;
    qint16 Second = 0;
    qint16 Millisecond = 0;
    // The instant itself, in milliseconds since the epoch: the fields above name the same local time
    // twice in the hour repeated when the clocks go back, this never does.
    qint64 EpochMilliseconds = 0;
};

// The one place that reads the system clock. Tests replace the source to step through time;
// whatever zone a replaced source answers in, both functions give local time.
LocalTime GetLocalTime();
QDateTime CurrentDateTime();

using LocalClockSource = std::function<QDateTime()>;
// Replaces the clock; an empty function restores the system clock.
void SetLocalClockSource(LocalClockSource source);
