#include "display/StretchMath.h"

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
