#include "LedGroup.h"

LedGroup::LedGroup(const QString &name)
    : m_name(name)
{
}

PolyLED *LedGroup::AddCell(QWidget *parent)
{
    auto *cell = new PolyLED(Count(), parent);
    cell->setObjectName(m_name);
    Add(cell);
    return cell;
}
