#pragma once

#include "DotPair.h"
#include "ControlGroup.h"
#include "Shape.h"

// The clock's separator dots as a control group of shapes.
class DotGroup : public ControlGroup<Shape>, public DotPair
{
public:
    void SetFillColor(int index, qint32 color) override { at(index)->SetFillColor(color); }
};
