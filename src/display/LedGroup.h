#pragma once

#include "DigitGroup.h"
#include "ControlGroup.h"
#include "PolyLED.h"

// A named group of LED cells (pledTime, pledHomeScore, ...). Every cell carries the group's name
// as its object name and its own index.
class LedGroup : public ControlGroup<PolyLED>, public DigitGroup
{
public:
    explicit LedGroup(const QString &name);

    // Creates the next cell inside parent.
    PolyLED *AddCell(QWidget *parent);

    QString Name() const override { return m_name; }
    int UBound() const override { return ControlGroup::UBound(); }
    int Caption(int index) const override { return at(index)->Caption(); }
    void SetCaption(int index, int digit) override { at(index)->SetCaption(digit); }

private:
    QString m_name;
};
