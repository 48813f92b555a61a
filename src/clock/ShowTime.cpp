#include "ShowTime.h"

#include "DigitGroup.h"
#include "DotPair.h"
#include "modCount.h"
#include "SettingsRecord.h"

#include <algorithm>

namespace {

constexpr qint64 Second = ClockValue::TicksPerSecond;
constexpr qint64 Tenth = ClockValue::TicksPerTenth;
constexpr ClockValue SecondsLayoutLimit = ClockValue::FromTenths(599); // 59.9 s
// 99:59, the most the four cells can hold. Anything outside 0..99:59 is pinned to the nearer end:
// a larger value would need a fifth digit (and would put 10 into the leftmost cell), and the
// display has no sign for a negative one.
constexpr ClockValue Largest = ClockValue::FromSeconds(5999);

// The time of day always reads as hours and minutes: the hour's units digit always shows, so 00:02 is
// 0:02 and never the seconds layout's "2.0".
ClockPicture pictureFor(ClockValue value, bool timeOfDay)
{
    value = std::clamp(value, ClockValue(), Largest);
    const bool minutesLayout = timeOfDay || value > SecondsLayoutLimit;

    // From 1:00 up the display has no tenths, and a running clock shows the second it is in:
    // 61.3 shows 1:02, while a whole 60.0 stays 1:00.
    qint64 rest = value.Ticks() + (minutesLayout && !timeOfDay ? 9 * Tenth : 0);
    const auto takeDigit = [&rest](qint64 unit) {
        const qint64 digit = rest / unit;
        rest -= digit * unit;
        return static_cast<int>(digit);
    };
    const int tensOfMinutes = takeDigit(600 * Second);
    const int minutes = takeDigit(60 * Second);
    const int tensOfSeconds = takeDigit(10 * Second);
    const int seconds = takeDigit(Second);
    const int tenths = takeDigit(Tenth);

    ClockPicture picture;
    picture.UpperDotLit = minutesLayout;
    const std::array<int, 4> digits = minutesLayout ? std::array {tensOfMinutes, minutes, tensOfSeconds, seconds}
                                                    : std::array {tensOfSeconds, seconds, tenths, -1};
    const int alwaysShown = timeOfDay ? 1 : minutesLayout ? 3 : 1;
    const int usedCells = minutesLayout ? 4 : 3;

    // Leading zeros stay blank; the seconds digit and everything after the first shown digit show.
    picture.Cells.fill(-1);
    for (int cell = 0; cell < usedCells; ++cell) {
        const int digit = digits[cell];
        const bool leftShows = cell > 0 && picture.Cells[cell - 1] >= 0;
        if (digit > 0 || cell == alwaysShown || leftShows)
            picture.Cells[cell] = digit;
    }
    return picture;
}

void show(const ClockPicture &picture, DigitGroup &cells, DotPair &dots)
{
    dots.SetFillColor(1, Settings.BorderColor);
    dots.SetFillColor(0, picture.UpperDotLit ? Settings.BorderColor : Settings.LEDBack);
    // A group with fewer cells than the clock's four gets what fits rather than a write past its end.
    const int lastCell = std::min(3, cells.UBound());
    for (int cell = 0; cell <= lastCell; ++cell)
        cells.SetCaption(cell, picture.Cells[cell]);
}

} // namespace

qint64 NextPictureIn(qint16 slot)
{
    const qint64 nextTenth = MillisecondsToNextTenth(slot);
    if (nextTenth == 0)
        return 0;
    const ClockValue value = GetCount(slot);
    const ClockPicture now = ClockPictureFor(value);
    qint64 tenths = 1;
    while (tenths < 10 && ClockPictureFor(value - ClockValue::FromTenths(tenths)) == now)
        ++tenths;
    return (tenths - 1) * 100 + nextTenth;
}

ClockPicture ClockPictureFor(ClockValue value)
{
    return pictureFor(value, false);
}

ClockPicture TimeOfDayPicture(ClockValue minutesOfDay)
{
    return pictureFor(minutesOfDay, true);
}

void ShowTime(ClockValue value, DigitGroup &cells, DotPair &dots)
{
    show(ClockPictureFor(value), cells, dots);
}

void ShowTimeOfDay(ClockValue minutesOfDay, DigitGroup &cells, DotPair &dots)
{
    show(TimeOfDayPicture(minutesOfDay), cells, dots);
}
