#include "Twips.h"

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

QRectF PixelsToTwips(const QRect &pixels)
{
    return {PixelsToTwips(pixels.x()), PixelsToTwips(pixels.y()), PixelsToTwips(pixels.width()),
            PixelsToTwips(pixels.height())};
}

QRectF TwipsRect(const QWidget *control)
{
    const QVariant stored = control->property(TwipsProperty);
    return stored.isValid() ? stored.toRectF() : PixelsToTwips(control->geometry());
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
