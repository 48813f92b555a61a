#pragma once

#include "DigitGroup.h"

#include <QList>
#include <QTest>

// An in-memory LED digit group holding its captions, cell 0 first. Writing a cell outside the group
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
    int Caption(int index) const override { return m_captions.value(index, -1); }
    void SetCaption(int index, int digit) override
    {
        QVERIFY(index >= 0 && index < m_captions.size());
        m_captions[index] = digit;
    }
    QList<int> Captions() const { return m_captions; }

private:
    QString m_name;
    QList<int> m_captions;
};
