#include "modCount.h"
#include "FixedKeys.h"

#include "DigitGroup.h"
#include "modShowDigits.h"
#include "ShowTime.h"

#include <QStringList>

#include <algorithm>

std::array<CountSlot, SlotCount> CountSlots;
ClockValue ClockResetTime;
EntryBuffer TimeEntry;

namespace {

constexpr qint16 KeyPoint = 46;
constexpr qint16 KeyZero = 48;
constexpr qint16 KeyNine = 57;

const ClockValue InvalidEntry = ClockValue::FromSeconds(-1);

// Negative slot numbers are refused like those above 4, so no caller can index outside the array.
CountSlot *SlotAt(qint16 slot)
{
    if (slot < 0 || slot >= SlotCount)
        return nullptr;
    return &CountSlots[static_cast<std::size_t>(slot)];
}

bool IsEntryCharacter(QChar character)
{
    return (character >= u'0' && character <= u'9') || character == u'.';
}

// Real time since the start, on the monotonic clock: it runs on across midnight and the
// daylight-saving changes, and a change of the system time does not move it.
void RefreshRun(CountSlot &counter)
{
    if (counter.StartStamp.isEmpty() || counter.Running != -1) {
        counter.RunElapsed = {};
        return;
    }
    const qint64 run = std::max<qint64>(0, MonotonicMilliseconds() - counter.StartMonotonic);
    counter.RunElapsed = ClockValue::FromTicks(run * (ClockValue::TicksPerSecond / 1000));
}

} // namespace

QString StampText(const LocalTime &time)
{
    return QStringLiteral("%1/%2/%3 %4:%5:%6")
        .arg(time.Month)
        .arg(time.Day)
        .arg(time.Year)
        .arg(time.Hour)
        .arg(time.Minute)
        .arg(time.Second);
}

void ResetGameState()
{
    CountSlots = {};
    ClockResetTime = {};
    TimeEntry = {};
    DigitEntry = {};
}

ClockValue GetCount(qint16 slot)
{
    CountSlot *counter = SlotAt(slot);
    if (!counter)
        return {};
    RefreshRun(*counter);

    // The exact time run, cut down to the tenth: the shown clock never gains or loses a fraction at a
    // stop or a start, however many there are in a game.
    const ClockValue run = counter->Accumulated + counter->RunElapsed;
    const ClockValue elapsed = ClockValue::FromTenths(run.Ticks() / ClockValue::TicksPerTenth);
    if (counter->CountUp != 0)
        return counter->Preset + elapsed;
    const ClockValue remaining = counter->Preset - elapsed;
    if (remaining <= ClockValue()) {
        // Pinning Accumulated at the preset keeps a run-out clock at 0 through later reads and stops.
        counter->Accumulated = counter->Preset;
        return {};
    }
    return remaining;
}

qint64 MillisecondsToNextTenth(qint16 slot)
{
    CountSlot *counter = SlotAt(slot);
    if (!counter || counter->Running != -1)
        return 0;
    RefreshRun(*counter);
    const ClockValue run = counter->Accumulated + counter->RunElapsed;
    return 100 - run.Ticks() / (ClockValue::TicksPerSecond / 1000) % 100;
}

void StartCount(qint16 slot)
{
    CountSlot *counter = SlotAt(slot);
    if (!counter || counter->Running != 0)
        return;
    const LocalTime now = GetLocalTime();
    counter->StartStamp = StampText(now);
    counter->StartMonotonic = MonotonicMilliseconds();
    counter->Running = -1;
}

void StopCount(qint16 slot)
{
    CountSlot *counter = SlotAt(slot);
    if (!counter || counter->Running != -1)
        return;
    // The run up to this very moment: folding in only what the last tick read would drop the time
    // since that tick, up to a tenth at every stop.
    RefreshRun(*counter);
    counter->Accumulated += counter->RunElapsed;
    counter->Running = 0;
}

qint16 IsCounting(qint16 slot)
{
    const CountSlot *counter = SlotAt(slot);
    return counter ? counter->Running : 0;
}

void SetCount(ClockValue value, qint32 countUp, qint16 slot)
{
    CountSlot *counter = SlotAt(slot);
    if (!counter)
        return;
    counter->Preset = value;
    // A preset stops the clock and forgets its run: nothing of the old run reaches the fresh preset.
    counter->Accumulated = {};
    counter->RunElapsed = {};
    counter->Running = 0;
    counter->CountUp = countUp;
}

ClockValue ParseTimeEntry(const QString &text)
{
    if (text.size() > 8)
        return InvalidEntry;
    for (const QChar character : text) {
        if (!IsEntryCharacter(character))
            return InvalidEntry;
    }
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() > 2)
        return InvalidEntry;

    // Every field is at most eight ASCII digits here, so toInt cannot overflow; an empty one reads 0.
    const qint64 minutes = parts.at(0).toInt();
    qint64 seconds = 0;
    qint64 tenths = 0;
    if (parts.size() == 2) {
        const QString &secondsField = parts.at(1);
        if (secondsField.size() <= 2) {
            seconds = secondsField.toInt();
        } else {
            seconds = secondsField.left(2).toInt();
            tenths = secondsField.mid(2, 1).toInt();
        }
    }
    if (tenths > 9 || seconds > 99 || minutes > 99)
        return InvalidEntry;
    return ClockValue::FromSeconds(minutes * 60 + seconds) + ClockValue::FromTenths(tenths);
}

void TimeEntryKey(DigitGroup &cells, qint16 keyAscii, qint32 maximum, qint32 countUp, qint16 slot, DotPair &dots,
                  const KeyDispatch &allKeyPress)
{
    // Board commands come first, so they work while the clock display has the focus.
    if (allKeyPress)
        allKeyPress(keyAscii);

    if (TimeEntry.Owner != cells.Name()) {
        TimeEntry.Text.clear();
        TimeEntry.Owner = cells.Name();
    }
    // Digits half typed on a score or the period must not finish a later entry there.
    DigitEntry.Text.clear();

    if ((keyAscii >= KeyZero && keyAscii <= KeyNine) || keyAscii == KeyPoint)
        TimeEntry.Text += QChar(keyAscii);
    else if (keyAscii == KeySpace)
        TimeEntry.Text.clear();

    if (TimeEntry.Text.isEmpty() || keyAscii != KeyEnter)
        return;

    const ClockValue value = ParseTimeEntry(TimeEntry.Text);
    if (value != InvalidEntry && value <= ClockValue::FromSeconds(maximum)) {
        SetCount(value, countUp, slot);
        ClockResetTime = value;
        ShowTime(GetCount(slot), cells, dots);
    }
    TimeEntry.Text.clear();
}
