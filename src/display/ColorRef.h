#pragma once

#include <QColor>

// Colour settings are 0x00BBGGRR, red in the low byte. These two are the only place that shifts bytes.
inline QColor ToQColor(qint32 colorRef)
{
    return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

inline qint32 FromQColor(const QColor &color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}
