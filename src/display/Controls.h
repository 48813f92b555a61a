#pragma once

#include <QList>

class QWidget;

// Every control of a window, nested ones included, in the order the window created them, depth first:
// a panel comes just before the controls it holds. (Qt keeps that order until raise() or lower()
// restacks a control.) A window the window owns, such as a dialog it opened, is not one of its
// controls, and neither is anything inside it.
QList<QWidget *> Controls(const QWidget *window);
