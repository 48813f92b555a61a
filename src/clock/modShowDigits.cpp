#include "modShowDigits.h"
#include "FixedKeys.h"

#include "DigitGroup.h"
#include "modCount.h"

#include <optional>

EntryBuffer DigitEntry;

namespace {


// Entries and shown numbers are held exactly up to this size. The operator can type any number of digits
// before Enter, so a longer run is reported as "no number" instead of overflowing; it lies far outside
// every 16-bit range the displays accept, so refusing it changes no outcome. Two such values still add
// up inside qint64.
constexpr qint64 LargestExact = 999'999'999'999'999'999;

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool startsWithSign(QStringView text)
{
    return !text.isEmpty() && (text.front() == u'+' || text.front() == u'-');
}

// The value of the decimal digits at the start of text, read up to the first non-digit; 0 when text does
// not start with a digit, nothing when the run is too long to hold.
std::optional<qint64> leadingNumber(QStringView text)
{
    qint64 value = 0;
    for (const QChar c : text) {
        if (!isAsciiDigit(c))
            break;
        const int digit = c.unicode() - u'0';
        if (value > (LargestExact - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

// An optionally signed whole number at the start of text; 0 when no digit follows the sign.
std::optional<qint64> signedNumber(QStringView text)
{
    const bool negative = !text.isEmpty() && text.front() == u'-';
    if (startsWithSign(text))
        text = text.sliced(1);
    const std::optional<qint64> magnitude = leadingNumber(text);
    if (!magnitude)
        return std::nullopt;
    return negative ? -*magnitude : *magnitude;
}

// The number the group shows: its digit cells read from the highest index down to cell 0. A group
// with no digit lit counts as 0, so that "+" and "-" still have a number to work from.
std::optional<qint64> shownNumber(const DigitGroup &group)
{
    QString digits;
    for (int k = group.UBound(); k >= 0; --k) {
        const int caption = group.Caption(k);
        if (caption >= 0 && caption <= 9)
            digits += QChar(u'0' + caption);
    }
    return leadingNumber(digits);
}

// The number an entry asks for: a leading run of digits, or the shown number plus or minus the
// number after the sign. Nothing for an empty or unrecognised entry.
std::optional<qint64> enteredNumber(const DigitGroup &group, QStringView entry)
{
    if (entry.isEmpty())
        return std::nullopt;
    if (isAsciiDigit(entry.front()))
        return leadingNumber(entry);
    if (!startsWithSign(entry))
        return std::nullopt;

    const std::optional<qint64> current = shownNumber(group);
    const std::optional<qint64> step = signedNumber(entry.sliced(1));
    if (!current || !step)
        return std::nullopt;
    return entry.front() == u'+' ? *current + *step : *current - *step;
}

} // namespace

void DigitEntryKey(DigitGroup &group, qint16 keyAscii, qint16 minimum, qint16 maximum, const KeyDispatch &allKeyPress)
{
    // Command keys must work whichever display has the focus, so the board sees every key first.
    if (allKeyPress)
        allKeyPress(keyAscii);

    const QString name = group.Name();
    if (DigitEntry.Owner != name) {
        DigitEntry.Text.clear();
        DigitEntry.Owner = name;
    }
    // Half a clock time typed before the operator moved here must not finish a later clock entry.
    TimeEntry.Text.clear();

    QString &text = DigitEntry.Text;
    if ((keyAscii >= u'0' && keyAscii <= u'9') || keyAscii == u'+' || keyAscii == u'-')
        text += QChar(keyAscii);
    else if (keyAscii == KeySpace)
        text.clear();

    const auto applyAndClear = [&] {
        ApplyDigitEntry(group, text, minimum, maximum);
        text.clear();
    };
    // Each rule sees the text the one before it left: a one-cell display takes a digit at once, a sign
    // and a digit apply at once, and Enter applies whatever is left.
    if (group.UBound() == 0 && !startsWithSign(text))
        applyAndClear();
    if (text.size() >= 2 && startsWithSign(text) && isAsciiDigit(text.at(1)))
        applyAndClear();
    if (keyAscii == KeyEnter)
        applyAndClear();
}

void ClearEntries()
{
    TimeEntry.Text.clear();
    DigitEntry.Text.clear();
}

void ApplyDigitEntry(DigitGroup &group, const QString &entry, qint16 minimum, qint16 maximum)
{
    const std::optional<qint64> value = enteredNumber(group, entry);
    if (!value || *value < minimum || *value > maximum)
        return;

    // A cell shows a single digit, so a negative number, or one with more digits than the group has
    // cells, cannot be shown whole; it is refused rather than shown as a different number.
    const QString digits = QString::number(*value);
    if (*value < 0 || digits.size() > group.UBound() + 1)
        return;

    for (int k = 0; k <= group.UBound(); ++k)
        group.SetCaption(k, k < digits.size() ? digits.at(digits.size() - 1 - k).digitValue() : -1);
}
