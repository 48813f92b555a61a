#pragma once

#include "clock/DigitGroup.h"

#include <QList>
#include <QString>
#include <QTest>

// An in-memory LED digit group holding its captions, cell 0 first. Using a cell outside the group
// fails the running test.
class FakeDigitGroup : public DigitGroup
{
public:
    FakeDigitGroup(const QString &name, const QList<int> &captions)
        : m_name(name)
        , m_captions(captions)
    {
    }

    QString Name() const override { return m_name; }
    int UBound() const override { return static_cast<int>(m_captions.size()) - 1; }
    int Caption(int index) const override { return IsCell(index) ? m_captions.at(index) : -1; }

    void SetCaption(int index, int digit) override
    {
        if (IsCell(index))
            m_captions[index] = digit;
    }

    QList<int> Captions() const { return m_captions; }

private:
    bool IsCell(int index) const
    {
        const bool inside = index >= 0 && index < m_captions.size();
        if (!inside)
            QTest::qFail(qPrintable(QStringLiteral("cell %1 of %2 used").arg(index).arg(m_name)), __FILE__, __LINE__);
        return inside;
    }

    QString m_name;
    QList<int> m_captions;
};
