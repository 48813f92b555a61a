#pragma once

#include "clock/DigitGroup.h"

#include <QList>
#include <QString>
#include <QTest>

// An in-memory LED digit group: a name and a number of cells, each starting at 0 like a fresh
// LED cell. It counts caption writes, and an index outside the group fails the running test.
class FakeDigitGroup : public DigitGroup
{
public:
    FakeDigitGroup(const QString &name, int cellCount)
        : m_name(name)
        , m_captions(cellCount, 0)
    {
    }

    QString Name() const override { return m_name; }
    int UBound() const override { return static_cast<int>(m_captions.size()) - 1; }

    int Caption(int index) const override
    {
        return IsCell(index) ? m_captions.at(index) : -1;
    }

    void SetCaption(int index, int digit) override
    {
        if (!IsCell(index))
            return;
        m_captions[index] = digit;
        ++m_writeCount;
    }

    // All captions, cell 0 first.
    QList<int> Captions() const { return m_captions; }
    // Sets the captions from cell 0 up without counting them as writes: the group's state before a test acts.
    void SetCaptions(const QList<int> &captions)
    {
        QCOMPARE_LE(captions.size(), m_captions.size());
        for (qsizetype index = 0; index < captions.size(); ++index)
            m_captions[index] = captions.at(index);
    }
    int WriteCount() const { return m_writeCount; }

private:
    bool IsCell(int index) const
    {
        const bool inside = index >= 0 && index < m_captions.size();
        if (!inside)
            QTest::qFail(qPrintable(QStringLiteral("cell %1 of %2 used, group has %3 cells")
                                        .arg(index)
                                        .arg(m_name)
                                        .arg(m_captions.size())),
                         __FILE__, __LINE__);
        return inside;
    }

    QString m_name;
    QList<int> m_captions;
    int m_writeCount = 0;
};
