#include "Controls.h"

#include <QWidget>

namespace {

void collect(const QWidget *parent, QList<QWidget *> &controls)
{
    for (QObject *child : parent->children()) {
        auto *control = qobject_cast<QWidget *>(child);
        if (!control || control->isWindow())
            continue;
        controls.append(control);
        collect(control, controls);
    }
}

} // namespace

QList<QWidget *> Controls(const QWidget *window)
{
    QList<QWidget *> controls;
    if (window)
        collect(window, controls);
    return controls;
}
