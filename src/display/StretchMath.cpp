#include "StretchMath.h"

#include <algorithm>
#include <cmath>
#include <limits>

double AtLeastOne(double x)
{
    return x < 1.0 ? 1.0 : x;
}

float ScaledPosition(float current, float base, float noted)
{
    const float ratio = current / base;
    return ratio * noted;
}

double ScaledExtent(float current, float base, float noted)
{
    return AtLeastOne(static_cast<double>(ScaledPosition(current, base, noted)));
}

qint16 RoundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double lowest = std::numeric_limits<qint16>::lowest();
    constexpr double highest = std::numeric_limits<qint16>::max();
    const double clamped = std::clamp(value, lowest, highest);
    // remainder() takes away the nearest integer with ties to even whatever the current rounding mode,
    // so the result never depends on floating-point state left behind by other code.
    return static_cast<qint16>(clamped - std::remainder(clamped, 1.0));
}

double FittingPointSize(double designPoints, const QSizeF &room, const std::function<QSizeF(double points)> &measure)
{
    // How far the text at a size overshoots the room: below 1 when it does not fit. A text of no extent fits.
    const auto fit = [&](double points) {
        const QSizeF text = measure(points);
        const double scale = std::min(room.width() / text.width(), room.height() / text.height());
        return std::isnan(scale) ? 1.0 : scale;
    };
    double points = AtLeastOne(designPoints);
    double tooLarge = 0;
    // Scaled down by the overshoot, at least by a hundredth each pass, until it fits or reaches the floor.
    for (double scale = fit(points); scale < 1.0; scale = fit(points)) {
        if (points == 1.0)
            return points;
        tooLarge = points;
        points = AtLeastOne(points * std::min(scale, 0.99));
    }
    // Then up again to the largest size that still fits, within a few hundredths of a point.
    for (int step = 0; tooLarge > 0 && step < 8; ++step) {
        const double middle = (points + tooLarge) / 2;
        (fit(middle) < 1.0 ? tooLarge : points) = middle;
    }
    return points;
}
