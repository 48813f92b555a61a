#pragma once

#include "ClockValue.h"

#include <QByteArray>
#include <QtTest/qtestcase.h>

// Short spellings for the tables.
constexpr ClockValue Seconds(qint64 seconds) { return ClockValue::FromSeconds(seconds); }
constexpr ClockValue Tenths(qint64 tenths) { return ClockValue::FromTenths(tenths); }

// Lets QCOMPARE print a ClockValue as seconds with its four decimals ("-754.5000 s").
inline char *toString(const ClockValue &value)
{
    const double seconds = static_cast<double>(value.Ticks()) / ClockValue::TicksPerSecond;
    return qstrdup(QByteArray::number(seconds, 'f', 4).append(" s").constData());
}
