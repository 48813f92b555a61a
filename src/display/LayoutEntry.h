#pragma once

#include <QPointer>
#include <QWidget>

// One control as the layout was recorded: position and extent in twips, FontSize in points,
// BorderWidth in pixels and Size as an LED cell's digit size, each rounded to a whole number, halves to
// even. A field the control's type does not note stays 0, and a field of 0 is never scaled. The entry
// watches its control without owning it; one deleted since the layout was recorded is passed over.
struct LayoutEntry
{
    QPointer<QWidget> control;
    qint16 Left = 0;
    qint16 Top = 0;
    qint16 Height = 0;
    qint16 Width = 0;
    qint16 FontSize = 0;
    qint16 BorderWidth = 0;
    qint16 Size = 0;
};
