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
    QFont shown = font();
    shown.setPointSizeF(FittingPointSize(FontSize(), room.size(), [&](double points) {
        QFont measured = font();
        measured.setPointSizeF(points);
        return QSizeF(QFontMetrics(measured).boundingRect(room, int(alignment()), text()).size());
    }));
    return shown;
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
