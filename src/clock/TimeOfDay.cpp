#include "TimeOfDay.h"

#include "LocalClock.h"

#include <QRegularExpression>

ClockValue TimeOfDayValue(const QString &systemTimeText)
{
    // The hour field is a bare number ("14", "2"); the minute field may carry what the format
    // writes after it (" PM", or ":10" seconds).
    static const QRegularExpression pattern(QStringLiteral(R"(^\s*(\d{1,2}):(\d{1,2})(?!\d))"));
    const QRegularExpressionMatch match = pattern.match(systemTimeText);
    if (match.hasMatch()) {
        const int hour = match.capturedView(1).toInt();
        const int minute = match.capturedView(2).toInt();
        if (hour <= 23 && minute <= 59)
            return ClockValue::FromSeconds(hour * 60 + minute);
    }
    // A format that writes no ":" (such as "14.35"), puts something before the hour ("PM 2:35") or
    // gives fields that are no clock reading still shows the time of day: the local clock's own
    // 24-hour hour and minute.
    const QTime now = CurrentDateTime().time();
    return ClockValue::FromSeconds(now.hour() * 60 + now.minute());
}
