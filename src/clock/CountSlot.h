#pragma once

#include "clock/ClockValue.h"

#include <QString>

// One stopwatch counter, running against the local date and time.
struct CountSlot
{
    QString StartStamp;  // "M/D/YYYY H:M:S" of the most recent start, empty until the first start
    QString StartMillis; // milliseconds 0-999 of the most recent start, as text
    ClockValue RunElapsed;
    ClockValue Accumulated;
    ClockValue Preset;
    qint16 Running = 0; // -1 running, 0 stopped
    qint32 CountUp = 0; // 0 counts down from Preset, anything else counts up

    bool operator==(const CountSlot &) const = default;
};
