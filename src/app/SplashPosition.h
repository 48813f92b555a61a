#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

// Where the splash window's top-left corner goes, in twips. Its top is (screen height - 5880) / 2,
// which sets it 1320 twips above the screen's vertical centre, and it is centred across. On a screen
// too small for that the window would start above or left of the usable area and hide its name,
// so it never starts outside the available area's top or left edge.
QPointF SplashPosition(const QRectF &screenTwips, const QRectF &availableTwips, const QSizeF &windowTwips);
