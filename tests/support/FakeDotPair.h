#pragma once

#include "clock/DotPair.h"

#include <QTest>

#include <array>

// The clock's two dots in memory. A dot never written reads NeverSet.
class FakeDotPair : public DotPair
{
public:
    static constexpr qint32 NeverSet = -1;

    void SetFillColor(int index, qint32 color) override
    {
        QVERIFY2(index == 0 || index == 1, "the pair has dots 0 and 1 only");
        m_colors[static_cast<std::size_t>(index)] = color;
    }

    qint32 UpperColor() const { return m_colors[0]; }
    qint32 LowerColor() const { return m_colors[1]; }

private:
    std::array<qint32, 2> m_colors {NeverSet, NeverSet};
};
