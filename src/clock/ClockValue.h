#pragma once

#include <QtGlobal>

#include <compare>

// A clock time in seconds as a signed 64-bit fixed-point count of ten-thousandths of a second.
// Arithmetic and comparison are exact; the clock itself only ever moves in tenths.
class ClockValue
{
public:
    static constexpr qint64 TicksPerSecond = 10000;
    static constexpr qint64 TicksPerTenth = 1000;

    constexpr ClockValue() = default;

    static constexpr ClockValue FromTicks(qint64 ticks) { return ClockValue(ticks); }
    static constexpr ClockValue FromSeconds(qint64 seconds) { return ClockValue(seconds * TicksPerSecond); }
    static constexpr ClockValue FromTenths(qint64 tenths) { return ClockValue(tenths * TicksPerTenth); }

    constexpr qint64 Ticks() const { return m_ticks; }

    constexpr ClockValue operator+(ClockValue other) const { return ClockValue(m_ticks + other.m_ticks); }
    constexpr ClockValue operator-(ClockValue other) const { return ClockValue(m_ticks - other.m_ticks); }
    constexpr ClockValue &operator+=(ClockValue other) { m_ticks += other.m_ticks; return *this; }
    constexpr ClockValue &operator-=(ClockValue other) { m_ticks -= other.m_ticks; return *this; }
    constexpr auto operator<=>(const ClockValue &) const = default;

private:
    constexpr explicit ClockValue(qint64 ticks) : m_ticks(ticks) {}

    qint64 m_ticks = 0;
};
