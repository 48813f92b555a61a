#include "Image.h"

#include <QMouseEvent>

Image::Image(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void Image::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

// A click is a press and a release over the area, as with a button.
void Image::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
}
