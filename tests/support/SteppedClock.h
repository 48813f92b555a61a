#pragma once

#include "clock/LocalClock.h"

#include <QDateTime>

// Replaces the program's local clock with one that stands still until the test moves it;
// the system clock comes back when it goes out of scope.
class SteppedClock
{
public:
    explicit SteppedClock(const QDateTime &start)
        : m_now(start)
    {
        SetLocalClockSource([this] { return m_now; });
    }
    ~SteppedClock() { SetLocalClockSource({}); }

    Q_DISABLE_COPY_MOVE(SteppedClock)

    QDateTime Now() const { return m_now; }
    void Set(const QDateTime &now) { m_now = now; }
    // Moves on by real elapsed time, so a step across a daylight-saving change lands where a wall clock would.
    void Advance(qint64 milliseconds) { m_now = m_now.addMSecs(milliseconds); }

private:
    QDateTime m_now;
};
