#pragma once

#include <QList>

class LedGroup;
class PolyLED;
class QWidget;

// The colour scheme's helpers: they read the colour settings as they are at the call and keep nothing.

// Every cell of the group, in index order: background LEDBack, then lit parts in color.
void SetLEDColors(const LedGroup &group, qint32 color);
// The same for a single cell.
void SetLEDColors(PolyLED *cell, qint32 color);

// Colours the window's controls by type, nested ones included: a "Label"'s text takes the BorderColor
// setting, a "PictureBox"'s background LEDBack, a "Shape"'s outline BorderColor; every other type is
// left alone. A control is skipped when its name is that of an excluded control, so excluding one
// member of a group skips the whole group.
void ColorControlsByType(QWidget *window, const QList<QWidget *> &excluded);
