#pragma once

#include <QRect>
#include <QRectF>

class QWidget;

// Design lengths are twips, 1440 to the inch: 15 twips are one device-independent pixel.
// A control keeps its exact twips geometry beside its pixel geometry, so positions read back
// exactly as they were set and repeated scaling never accumulates pixel rounding.
inline constexpr double TwipsPerPixel = 15.0;

int TwipsToPixels(double twips);
double PixelsToTwips(int pixels);
QRectF PixelsToTwips(const QRect &pixels);

// The control's geometry in twips, relative to its parent.
QRectF TwipsRect(const QWidget *control);
// Places the control: its pixel edges are its twips edges rounded, so neighbours never gap or overlap.
void SetTwipsRect(QWidget *control, const QRectF &twips);
