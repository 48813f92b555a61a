#pragma once

#include "clock/ClockValue.h"

#include <QString>

// One stopwatch counter, running against the local date and time.
struct CountSlot
{
    QString StartStamp;  // "M/D/YYYY H:M:S" of the most recent start, empty until the first start
    QString StartMillis; // milliseconds 0-999 of the most recent start, as text
    // The same start as an instant (milliseconds since the epoch). The stamp's local time names two
    // instants in the hour repeated when the clocks go back; elapsed time is measured from this.
    qint64 StartInstant = 0;
    ClockValue RunElapsed;
    ClockValue Accumulated;
    ClockValue Preset;
    qint16 Running = 0; // -1 running, 0 stopped
    qint32 CountUp = 0; // 0 counts down from Preset, anything else counts up

    bool operator==(const CountSlot &) const = default;
};
