#pragma once

#include "DotPair.h"

#include <array>

// The clock's two dots in memory.
class FakeDotPair : public DotPair
{
public:
    void SetFillColor(int index, qint32 color) override { colors.at(static_cast<std::size_t>(index)) = color; }
    std::array<qint32, 2> colors {-1, -1};
};
