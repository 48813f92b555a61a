#include "KeyLabel.h"

KeyLabel::KeyLabel(QWidget *parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    // Wide enough for the longest name, "Backspace", so the row does not jump when a key changes.
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Backspace")) + 2 * fontMetrics().averageCharWidth());
}

QString KeyLabel::TextFor(qint16 code)
{
    switch (code) {
    case 8:
        return QStringLiteral("Backspace");
    case 13:
        return QStringLiteral("Enter");
    case 27:
        return QStringLiteral("Esc");
    case 32:
        return QStringLiteral("Space");
    case 127:
        return QStringLiteral("Delete");
    default:
        break;
    }
    // The other control codes are typed with Ctrl and the letter 64 codes above (Ctrl+I gives 9).
    if (code >= 0 && code < 32)
        return QStringLiteral("Ctrl+") + QChar(code + 64);
    const QChar c(code);
    if (!c.isPrint() || c.isSpace())
        return QStringLiteral("Code %1").arg(code);
    return c;
}

void KeyLabel::SetKey(qint16 code)
{
    m_key = code;
    setText(TextFor(code));
}
