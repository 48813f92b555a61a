#pragma once

#include <QLabel>

// Shows the key one board action has pending in the options dialog. It holds the character code the
// board compares with and shows a readable name for it, since many codes have no glyph of their own.
class KeyLabel : public QLabel
{
    Q_OBJECT

public:
    explicit KeyLabel(QWidget *parent = nullptr);

    // The name shown for a code: the character itself where it prints, otherwise what the operator
    // types for it ("Backspace", "Ctrl+I", "Space", "Code 160").
    static QString TextFor(qint16 code);

    qint16 Key() const { return m_key; }
    void SetKey(qint16 code);

private:
    qint16 m_key = 0;
};
