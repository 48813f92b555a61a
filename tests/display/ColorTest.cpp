#include "display/Label.h"
#include "display/LedGroup.h"
#include "display/modColor.h"
#include "display/PictureBox.h"
#include "display/Shape.h"
#include "settings/SettingsRecord.h"
#include "support/TestRegistry.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Colouring a window's controls by their type, and LED cells by group.
class ColorTest : public QObject
{
    Q_OBJECT

private slots:
    void colorsByTypeSkippingByExactName()
    {
        Settings = SettingsRecord {};
        Settings.BorderColor = 0x123456;
        Settings.LEDBack = 0x654321;
        QWidget window;
        auto *title = new Label(u"Title"_s, &window);
        auto *home = new Label(u"Home"_s, &window);
        home->setObjectName(u"lblHome"_s);
        auto *shouting = new Label(u"HOME"_s, &window);
        shouting->setObjectName(u"LBLHOME"_s); // names are compared with their case
        auto *panel = new PictureBox(&window);
        auto *dot = new Shape(Shape::Kind::Oval, panel);
        LedGroup cells(u"pledTest"_s);
        cells.AddCell(panel)->SetBackColor(7);

        ColorControlsByType(&window, {home});

        // THEN each type wears its colour, nested controls too, all but the excluded name and the cells
        const QList<qint32> colours {title->ForeColor(), home->ForeColor(), shouting->ForeColor(),
                                     panel->BackColor(), dot->BorderColor(), cells[0]->BackColor()};
        QCOMPARE(colours, (QList<qint32> {0x123456, 0xFFFFFF, 0x123456, 0x654321, 0x123456, 7}));

        SetLEDColors(cells, 0x00C000);
        QCOMPARE(cells[0]->BackColor(), 0x654321);
        QCOMPARE(cells[0]->LitColor(), 0x00C000);
    }
};

QUORVANE_TEST(ColorTest)
#include "ColorTest.moc"
