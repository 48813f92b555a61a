#pragma once

#include <QString>

// What the clock and the number entry need of a group of LED digit cells: its name, its highest
// index and each cell's caption (a digit 0-9, or -1 for a blank cell). The board's LED groups
// implement it.
class DigitGroup
{
public:
    virtual ~DigitGroup() = default;

    virtual QString Name() const = 0;
    virtual int UBound() const = 0;
    virtual int Caption(int index) const = 0;
    virtual void SetCaption(int index, int digit) = 0;
};
