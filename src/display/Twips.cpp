#include "display/Twips.h"

#include <QVariant>
#include <QWidget>

#include <cmath>

namespace {
const char *const TwipsProperty = "quorvaneTwipsRect";
}

int TwipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

double PixelsToTwips(int pixels)
{
    return pixels * TwipsPerPixel;
}

QRectF TwipsRect(const QWidget *control)
{
    const QVariant stored = control->property(TwipsProperty);
    if (stored.isValid())
        return stored.toRectF();
    const QRect g = control->geometry();
    return {PixelsToTwips(g.x()), PixelsToTwips(g.y()), PixelsToTwips(g.width()), PixelsToTwips(g.height())};
}

void SetTwipsRect(QWidget *control, const QRectF &twips)
{
    control->setProperty(TwipsProperty, twips);
    const int left = TwipsToPixels(twips.left());
    const int top = TwipsToPixels(twips.top());
    const int right = TwipsToPixels(twips.left() + twips.width());
    const int bottom = TwipsToPixels(twips.top() + twips.height());
    control->setGeometry(left, top, std::max(1, right - left), std::max(1, bottom - top));
}
