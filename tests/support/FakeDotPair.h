#pragma once

#include "clock/DotPair.h"

#include <QString>
#include <QTest>

#include <array>

// The clock's two dots in memory. A dot never written reads NeverSet.
class FakeDotPair : public DotPair
{
public:
    static constexpr qint32 NeverSet = -1;

    void SetFillColor(int index, qint32 color) override
    {
        if (index < 0 || index > 1) {
            QTest::qFail(qPrintable(QStringLiteral("dot %1 used, the pair has dots 0 and 1").arg(index)), __FILE__,
                         __LINE__);
            return;
        }
        m_colors[static_cast<std::size_t>(index)] = color;
    }

    qint32 UpperColor() const { return m_colors[0]; }
    qint32 LowerColor() const { return m_colors[1]; }

private:
    std::array<qint32, 2> m_colors {NeverSet, NeverSet};
};
