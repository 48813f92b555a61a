#include "Label.h"

#include "ColorRef.h"
#include "StretchMath.h"

#include <QPainter>

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

QFont Label::ShownFont() const
{
    const QRect room = contentsRect();
    if (text() == m_fittedText && font() == m_fittedFor && room == m_fittedRoom && alignment() == m_fittedAlignment
        && !m_fittedText.isNull())
        return m_fitted;
    m_fitted = font();
    m_fitted.setPointSizeF(FittingPointSize(FontSize(), room.size(), [&](double points) {
        QFont measured = font();
        measured.setPointSizeF(points);
        return QSizeF(QFontMetrics(measured).boundingRect(room, int(alignment()), text()).size());
    }));
    std::tie(m_fittedText, m_fittedFor, m_fittedRoom, m_fittedAlignment) = std::tuple(text(), font(), room, alignment());
    return m_fitted;
}

QRect Label::TextRect() const
{
    return QFontMetrics(ShownFont()).boundingRect(contentsRect(), int(alignment()), text());
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

void Label::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(ShownFont());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), int(alignment()), text());
}
