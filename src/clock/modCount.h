#pragma once

#include "ClockValue.h"
#include "CountSlot.h"
#include "EntryBuffer.h"
#include "KeyDispatch.h"
#include "LocalClock.h"

#include <array>

class DigitGroup;
class DotPair;

// Five independent stopwatch slots; the board's game clock is slot 0, counting down.
inline constexpr int SlotCount = 5;
extern std::array<CountSlot, SlotCount> CountSlots;

// The value the reset key puts on the game clock.
extern ClockValue ClockResetTime;
// The clock display's typed entry.
extern EntryBuffer TimeEntry;

// Every slot stopped and empty, no reset time and nothing typed on any display: a fresh run's state.
void ResetGameState();

ClockValue GetCount(qint16 slot);
// Milliseconds until a running slot's count next moves on by a tenth; 0 for a stopped slot.
qint64 MillisecondsToNextTenth(qint16 slot);
void StartCount(qint16 slot);
void StopCount(qint16 slot);
qint16 IsCounting(qint16 slot);
void SetCount(ClockValue value, qint32 countUp, qint16 slot);

// The seconds a typed clock entry (minutes[.seconds[tenths]]) denotes, or -1 when it is not valid.
ClockValue ParseTimeEntry(const QString &text);
void TimeEntryKey(DigitGroup &cells, qint16 keyAscii, qint32 maximum, qint32 countUp, qint16 slot, DotPair &dots,
                  const KeyDispatch &allKeyPress);

// Stamp text of a local time: "M/D/YYYY H:M:S", no leading zeros, 24-hour.
QString StampText(const LocalTime &time);
