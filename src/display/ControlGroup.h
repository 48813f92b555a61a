#pragma once

#include <QList>

// Several controls under one name, indexed from 0, enumerated in index order.
template <class Control>
class ControlGroup
{
public:
    void Add(Control *control) { m_controls.append(control); }

    Control *operator[](int index) const { return m_controls.at(index); }
    Control *at(int index) const { return m_controls.at(index); }
    int Count() const { return static_cast<int>(m_controls.size()); }
    int UBound() const { return Count() - 1; }

    auto begin() const { return m_controls.cbegin(); }
    auto end() const { return m_controls.cend(); }

private:
    QList<Control *> m_controls;
};
