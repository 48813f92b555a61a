#pragma once

#include "LocalClock.h"

#include <QDateTime>

// Replaces the program's clocks with ones that stand still until the test moves them; the system's
// clocks come back when it goes out of scope.
class SteppedClock
{
public:
    explicit SteppedClock(const QDateTime &start)
        : m_wall(start.toMSecsSinceEpoch())
    {
        SetClockSources([this] { return Wall(); }, [this] { return m_monotonic; });
    }
    ~SteppedClock() { SetClockSources({}, {}); }

    Q_DISABLE_COPY_MOVE(SteppedClock)

    // Real time passes: both clocks move on, the wall clock across daylight-saving changes as a wall clock would.
    // The local time is worked out only when read, so a long run of steps costs no time-zone lookups.
    void Advance(qint64 milliseconds)
    {
        m_wall += milliseconds;
        m_monotonic += milliseconds;
    }
    QDateTime Wall() const { return QDateTime::fromMSecsSinceEpoch(m_wall); }
    // Someone sets the system time: only the wall clock jumps.
    void SetWall(const QDateTime &now) { m_wall = now.toMSecsSinceEpoch(); }

private:
    qint64 m_wall;
    qint64 m_monotonic = 1'000'000;
};
