#pragma once

#include <QString>

class QObject;

// A control's type name: the class name it was declared with ("PolyLED", "PictureBox", "Image",
// "Label", "Shape", or a Qt name such as "QPushButton"). Compared exactly, case included, so a
// subclass that declares its own class name is a type of its own. Empty for no control.
QString TypeName(const QObject *control);
