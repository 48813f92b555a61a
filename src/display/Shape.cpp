#include "Shape.h"

#include "ColorRef.h"

#include <QPainter>
#include <QPainterPath>

Shape::Shape(Kind kind, QWidget *parent)
    : QWidget(parent)
    , m_kind(kind)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
}

void Shape::SetFillColor(qint32 color)
{
    if (color == m_fillColor)
        return;
    m_fillColor = color;
    update();
}

void Shape::SetBorderColor(qint32 color)
{
    if (color == m_borderColor)
        return;
    m_borderColor = color;
    update();
}

void Shape::SetBorderWidth(int pixels)
{
    pixels = std::max(1, pixels);
    if (pixels == m_borderWidth)
        return;
    m_borderWidth = pixels;
    update();
}

void Shape::SetFilled(bool filled)
{
    m_filled = filled;
    update();
}

void Shape::SetBordered(bool bordered)
{
    m_bordered = bordered;
    update();
}

void Shape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    // The outline is drawn inside the control's box, so a thick border never spills over its neighbours.
    const qreal pen = m_bordered ? m_borderWidth : 0;
    QRectF box = rect();
    if (m_kind == Kind::Circle) {
        const qreal d = std::min(box.width(), box.height());
        box = QRectF(box.center().x() - d / 2, box.center().y() - d / 2, d, d);
    }
    box.adjust(pen / 2, pen / 2, -pen / 2, -pen / 2);

    QPainterPath path;
    if (m_kind == Kind::RoundedRectangle) {
        const qreal radius = std::min(box.width(), box.height()) * 0.07;
        path.addRoundedRect(box, radius, radius);
    } else {
        path.addEllipse(box);
    }

    if (m_filled)
        painter.fillPath(path, ToQColor(m_fillColor));
    if (m_bordered) {
        painter.setPen(QPen(ToQColor(m_borderColor), pen));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    }
}
