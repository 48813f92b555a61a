#pragma once

#include <QtGlobal>

// The clock's two separator dots (index 0 upper, 1 lower), shown or darkened by their fill colour.
class DotPair
{
public:
    virtual ~DotPair() = default;

    virtual void SetFillColor(int index, qint32 color) = 0;
};
