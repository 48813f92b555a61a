#pragma once

#include "ClockValue.h"

#include <QString>

// One stopwatch counter.
struct CountSlot
{
    QString StartStamp; // "M/D/YYYY H:M:S" of the most recent start by the wall clock, empty until the first start
    // The most recent start on the monotonic clock, which a change of the system time never moves.
    qint64 StartMonotonic = 0;
    ClockValue RunElapsed; // the current run so far, exact to the millisecond
    ClockValue Accumulated; // the runs before it since the preset, exact
    ClockValue Preset;
    qint16 Running = 0; // -1 running, 0 stopped
    qint32 CountUp = 0; // 0 counts down from Preset, anything else counts up

    bool operator==(const CountSlot &) const = default;
};
