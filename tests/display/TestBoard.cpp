#include "TestBoard.h"

#include "display/Image.h"
#include "display/Label.h"
#include "display/PictureBox.h"
#include "display/Shape.h"
#include "display/Twips.h"

#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

template <class T>
T *TestBoard::place(T *control, const QString &key, const QRectF &twips, const char *sizeName, double size)
{
    control->setObjectName(key);
    if (sizeName)
        control->setProperty(sizeName, size);
    SetTwipsRect(control, twips);
    m_byKey.insert(key, control);
    m_scaled.append(control);
    return control;
}

TestBoard::TestBoard()
{
    resize(TwipsToPixels(DesignWidth), TwipsToPixels(DesignHeight));

    place(new Label(u"Home"_s, this), u"lblTitle"_s, {120, 0, 9255, 855}, "FontSize", 32.25);
    place(new Shape(Shape::Kind::RoundedRectangle, this), u"Shape2"_s, {120, 960, 9255, 5655}, "BorderWidth", 7);

    auto *picTime = place(new PictureBox(this), u"picTime"_s, {1853, 1080, 5775, 1935});
    placeCells(pledTime, picTime, 110, {240, 1560, 3240, 4560}, 120);
    place(new Shape(Shape::Kind::Oval, picTime), u"shpTime"_s, {2740, 240, 255, 255}, "BorderWidth", 1);

    place(new Label(u"BONUS"_s, this), u"lblBonus"_s, {3810, 3240, 1875, 600}, "FontSize", 21.75);
    place(new Shape(Shape::Kind::Oval, this), u"shpBonusH"_s, {3120, 3330, 735, 375}, "BorderWidth", 4);
    place(new Image(this), u"imgBonusH"_s, {3000, 3210, 975, 615});

    auto *picHomeScore = place(new PictureBox(this), u"picHomeScore"_s, {360, 3840, 3255, 1935});
    placeCells(pledHomeScore, picHomeScore, 110, {2160, 840, -480}, 120);

    place(new Label(u"PERIOD"_s, this), u"lblPeriod"_s, {3653, 4400, 2175, 735}, "FontSize", 26.25);
    placeCells(pledPeriod, this, 100, {4320}, 4980);
    place(new Label(u"Home"_s, this), u"lblHome"_s, {0, 5760, 4335, 975}, "FontSize", 36);
    // Its font is sized in pixels, so it has no point size to scale.
    auto *lblVisitor = place(new Label(u"Visitor"_s, this), u"lblVisitor"_s, {5160, 5760, 4335, 975});
    QFont pixelFont = lblVisitor->font();
    pixelFont.setPixelSize(30);
    lblVisitor->setFont(pixelFont);

    // A label placed far outside the window, beyond what 16 bits of twips hold.
    place(new Label(u"far"_s, this), u"far"_s, {40000, -40000, 36000, 600}, "FontSize", 8);

    plainLabel = new QLabel(u"plain"_s, this);
    SetTwipsRect(plainLabel, {150, 150, 1500, 300});
    button = new QPushButton(u"button"_s, this);
    SetTwipsRect(button, {300, 600, 1200, 450});
}

void TestBoard::placeCells(LedGroup &group, QWidget *panel, int size, const QList<double> &lefts, double top)
{
    for (const double left : lefts) {
        PolyLED *cell = group.AddCell(panel);
        cell->SetSize(size);
        SetTwipsRect(cell, {left, top, PolyLED::WidthForSize(size), PolyLED::HeightForSize(size)});
        m_byKey.insert(u"%1(%2)"_s.arg(group.Name()).arg(cell->Index()), cell);
        m_scaled.append(cell);
    }
}
