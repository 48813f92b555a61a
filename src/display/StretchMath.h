#pragma once

#include <QSizeF>
#include <QtGlobal>

#include <functional>

// The arithmetic of proportional layout scaling, kept apart from any widget so it can be checked on
// its own. A scaled value is always worked out from the value noted at the base size, never from the
// control's current one, so rounding never builds up across resizes.

// x, or 1 when x is below 1: a control shrunk with its window never vanishes or turns inside out.
double AtLeastOne(double x);

// A position for the window's current size: current / base * noted. The three operands are single
// precision and the division comes first, so the whole-number ratios an operator actually produces
// (twice, one and a half) are exact and a control at the base size lands exactly where it was noted.
// Not clamped: a digit cell designed partly left of its panel stays partly left of it.
float ScaledPosition(float current, float base, float noted);

// An extent (width, height, font size, line width, digit size) for the window's current size: the same
// ratio as a position, never below 1.
double ScaledExtent(float current, float base, float noted);

// The nearest integer, halves to the even neighbour (26.5 gives 26, 27.5 gives 28), held in the
// 16 bits a noted value has: anything beyond is clamped to -32768 or 32767, and NaN gives 0.
qint16 RoundHalfEven(double value);

// The point size a text is shown at in room: its design size when the text measured at that size fits, else the
// largest size that fits (to a few hundredths of a point), never below 1. measure gives the text's extent at a
// point size. Text does not shrink exactly in proportion to its size (glyphs and lines snap to whole pixels), so
// the size scaled by the overshoot is measured again, stepped down until it fits and then closed in on.
double FittingPointSize(double designPoints, const QSizeF &room, const std::function<QSizeF(double points)> &measure);
