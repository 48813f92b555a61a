#pragma once

#include "LayoutEntry.h"
#include "StretchMath.h"

#include <QList>

class QWidget;

// Proportional layout scaling. RecordLayout notes a window's size (inside its frame) and where every control of
// the five scaled types ("PolyLED", "PictureBox", "Image", "Label", "Shape") stands; StretchLayout, run on
// every resize, moves and sizes those controls by the ratio of the window's current size to the
// noted one. Positions across and widths follow the width ratio; positions down, heights, font sizes,
// line widths and LED digit sizes follow the height ratio, so text and digits grow with the height only.

// The recorded layout: one entry per scaled control in enumeration order, then empty entries (no
// control, every field 0) up to one more than the window had controls, so the last is always empty.
extern QList<LayoutEntry> LayoutTable;
// The window's size in twips when the layout was recorded; 0 until it first is.
extern qint16 BaseWidth;
extern qint16 BaseHeight;

// Replaces the table and the base size by those of the window as it is now.
void RecordLayout(QWidget *window);
// Scales every recorded control to the window's current size, with the window's painting
// suspended until the last control has moved, then repaints it once.
void StretchLayout(QWidget *window);
