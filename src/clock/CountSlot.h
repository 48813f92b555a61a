#pragma once

#include "clock/ClockValue.h"

#include <QString>

// One stopwatch counter.
struct CountSlot
{
    QString StartStamp; // "M/D/YYYY H:M:S" of the most recent start by the wall clock, empty until the first start
    // The millisecond (0-999) of the wall clock's second at the most recent start: the counter moves
    // on a tenth whenever the wall clock's tenth of a second turns over.
    qint16 StartMillis = 0;
    // The most recent start on the monotonic clock, which a change of the system time never moves.
    qint64 StartMonotonic = 0;
    ClockValue RunElapsed;
    ClockValue Accumulated;
    ClockValue Preset;
    qint16 Running = 0; // -1 running, 0 stopped
    qint32 CountUp = 0; // 0 counts down from Preset, anything else counts up

    bool operator==(const CountSlot &) const = default;
};
