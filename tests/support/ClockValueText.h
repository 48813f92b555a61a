#pragma once

#include "clock/ClockValue.h"

#include <QByteArray>
#include <QtTest/qtestcase.h>

// Lets QCOMPARE print a ClockValue as seconds with its four decimals ("-754.5000 s").
inline char *toString(const ClockValue &value)
{
    const qint64 ticks = value.Ticks();
    const qint64 magnitude = ticks < 0 ? -ticks : ticks;
    const QByteArray text = QByteArray(ticks < 0 ? "-" : "") + QByteArray::number(magnitude / ClockValue::TicksPerSecond)
        + '.' + QByteArray::number(magnitude % ClockValue::TicksPerSecond).rightJustified(4, '0') + " s";
    return qstrdup(text.constData());
}
