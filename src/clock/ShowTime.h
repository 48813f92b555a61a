#pragma once

#include "ClockValue.h"

#include <array>

class DigitGroup;
class DotPair;

// What the clock display shows for a value: four cells (index 0 leftmost, -1 blank) and whether the
// upper dot is lit (a colon for minutes, dark for the seconds-and-tenths layout's decimal point).
struct ClockPicture
{
    std::array<int, 4> Cells {};
    bool UpperDotLit = false;

    bool operator==(const ClockPicture &) const = default;
};

ClockPicture ClockPictureFor(ClockValue value);
// Milliseconds until the picture of a running slot, counting down, next changes (at most about a second
// ahead, as a clock in minutes changes once a second); 0 for a stopped slot.
qint64 NextPictureIn(qint16 slot);
// The time of day given as hour × 60 + minute: always hours and minutes with a colon.
ClockPicture TimeOfDayPicture(ClockValue minutesOfDay);

// Writes the value onto the clock's four cells and two dots in the current colour settings.
void ShowTime(ClockValue value, DigitGroup &cells, DotPair &dots);
void ShowTimeOfDay(ClockValue minutesOfDay, DigitGroup &cells, DotPair &dots);
