#include "TypeName.h"

#include <QMetaObject>
#include <QObject>

QString TypeName(const QObject *control)
{
    if (!control)
        return {};
    return QString::fromLatin1(control->metaObject()->className());
}
