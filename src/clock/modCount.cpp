#include "clock/modCount.h"

#include "clock/DigitGroup.h"
#include "clock/ShowTime.h"

#include <QDateTime>

std::array<CountSlot, SlotCount> CountSlots;
ClockValue ClockResetTime;
EntryBuffer TimeEntry;

namespace {

constexpr qint16 KeyEnter = 13;
constexpr qint16 KeySpace = 32;
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

// Whole seconds and the tenth within the second of an instant; floor division keeps instants
// before the epoch consistent too.
qint64 WholeSeconds(qint64 epochMilliseconds)
{
    return epochMilliseconds >= 0 ? epochMilliseconds / 1000 : -((-epochMilliseconds + 999) / 1000);
}

qint64 TenthOfSecond(qint64 epochMilliseconds)
{
    return (epochMilliseconds - WholeSeconds(epochMilliseconds) * 1000) / 100;
}

bool IsEntryCharacter(QChar character)
{
    return (character >= u'0' && character <= u'9') || character == u'.';
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

ClockValue GetCount(qint16 slot)
{
    CountSlot *counter = SlotAt(slot);
    if (!counter)
        return {};

    const LocalTime now = GetLocalTime();
    if (!counter->StartStamp.isEmpty() && counter->Running == -1) {
        // Whole real seconds between the two instants, so a run goes on counting across midnight,
        // month and year ends and both daylight-saving changes. Both ends are cut down to the
        // tenth, so the clock moves in whole tenths however the milliseconds of start and read fall.
        const qint64 start = counter->StartInstant;
        const qint64 current = now.EpochMilliseconds;
        counter->RunElapsed = ClockValue::FromSeconds(WholeSeconds(current) - WholeSeconds(start))
            + ClockValue::FromTenths(TenthOfSecond(current) - TenthOfSecond(start));
    } else {
        counter->RunElapsed = {};
    }

    const ClockValue remaining = counter->Preset - counter->Accumulated - counter->RunElapsed;
    if (counter->CountUp != 0)
        return counter->Preset + counter->Accumulated + counter->RunElapsed;
    if (remaining <= ClockValue()) {
        // Pinning Accumulated at the preset keeps a run-out clock at 0 through later reads and stops.
        counter->Accumulated = counter->Preset;
        return {};
    }
    return remaining;
}

void StartCount(qint16 slot)
{
    CountSlot *counter = SlotAt(slot);
    if (!counter || counter->Running != 0)
        return;
    const LocalTime now = GetLocalTime();
    counter->StartStamp = StampText(now);
    counter->StartMillis = QString::number(now.Millisecond);
    counter->StartInstant = now.EpochMilliseconds;
    // Nothing has run yet in the new run. Keeping the previous run's elapsed time here would let a
    // stop that comes before the next read add that run a second time.
    counter->RunElapsed = {};
    counter->Running = -1;
}

void StopCount(qint16 slot)
{
    CountSlot *counter = SlotAt(slot);
    if (!counter || counter->Running != -1)
        return;
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
    counter->Accumulated = {};
    // Cleared before the stop, so the stop folds nothing of the old run into the fresh preset.
    counter->RunElapsed = {};
    StopCount(slot);
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
