#include "modColor.h"

#include "Controls.h"
#include "LedGroup.h"
#include "PolyLED.h"
#include "TypeName.h"
#include "SettingsRecord.h"

#include <QVariant>

void SetLEDColors(const LedGroup &group, qint32 color)
{
    for (PolyLED *cell : group)
        SetLEDColors(cell, color);
}

void SetLEDColors(PolyLED *cell, qint32 color)
{
    if (!cell)
        return;
    cell->SetBackColor(Settings.LEDBack);
    cell->SetLitColor(color);
}

void ColorControlsByType(QWidget *window, const QList<QWidget *> &excluded)
{
    QStringList excludedNames;
    for (const QWidget *control : excluded) {
        if (control)
            excludedNames.append(control->objectName());
    }

    const QList<QWidget *> controls = Controls(window);
    for (QWidget *control : controls) {
        if (excludedNames.contains(control->objectName()))
            continue;
        const QString type = TypeName(control);
        if (type == u"Label")
            control->setProperty("ForeColor", Settings.BorderColor);
        else if (type == u"PictureBox")
            control->setProperty("BackColor", Settings.LEDBack);
        else if (type == u"Shape")
            control->setProperty("BorderColor", Settings.BorderColor);
    }
}
