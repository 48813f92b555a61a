#include "display/Label.h"

#include "display/ColorRef.h"

Label::Label(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    setAlignment(Qt::AlignCenter);
    setWordWrap(false);
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    // Captions are decoration: a click goes to whatever lies beneath (an indicator, a panel, the window).
    setAttribute(Qt::WA_TransparentForMouseEvents);
    SetForeColor(m_foreColor);
}

double Label::FontSize() const
{
    return font().pointSizeF();
}

void Label::SetForeColor(qint32 color)
{
    m_foreColor = color;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, ToQColor(color));
    setPalette(p);
}

void Label::SetFontSize(double points)
{
    if (points == FontSize())
        return;
    QFont f = font();
    f.setPointSizeF(points);
    setFont(f);
}
