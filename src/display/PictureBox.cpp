#include "PictureBox.h"

#include "ColorRef.h"

#include <QFocusEvent>

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    SetBackColor(m_backColor);
}

void PictureBox::SetBackColor(qint32 color)
{
    m_backColor = color;
    QPalette p = palette();
    p.setColor(QPalette::Window, ToQColor(color));
    setPalette(p);
}

void PictureBox::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    emit GotFocus(event->reason());
}
