#include "SplashPosition.h"

#include <algorithm>

namespace {
// The splash sits higher than centred: this constant takes the place of its height in the centring.
constexpr double SplashCentringHeight = 5880.0;
}

QPointF SplashPosition(const QRectF &screenTwips, const QRectF &availableTwips, const QSizeF &windowTwips)
{
    const double top = screenTwips.top() + (screenTwips.height() - SplashCentringHeight) / 2;
    const double left = screenTwips.left() + (screenTwips.width() - windowTwips.width()) / 2;
    return {std::max(left, availableTwips.left()), std::max(top, availableTwips.top())};
}
