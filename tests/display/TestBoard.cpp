#include "TestBoard.h"

#include "display/Image.h"
#include "display/Label.h"
#include "display/PictureBox.h"
#include "display/Shape.h"
#include "display/Twips.h"

#include <QLabel>
#include <QPushButton>

namespace {

Label *makeLabel(const QString &caption, double points, QWidget *parent)
{
    auto *label = new Label(caption, parent);
    label->SetFontSize(points);
    return label;
}

Shape *makeShape(Shape::Kind kind, int borderWidth, QWidget *parent)
{
    auto *shape = new Shape(kind, parent);
    shape->SetBorderWidth(borderWidth);
    return shape;
}

} // namespace

template <class T>
T *TestBoard::place(T *control, const QString &key, const QRectF &twips)
{
    control->setObjectName(key);
    SetTwipsRect(control, twips);
    m_byKey.insert(key, control);
    m_scaled.append(control);
    return control;
}

TestBoard::TestBoard()
{
    resize(TwipsToPixels(DesignWidth), TwipsToPixels(DesignHeight));

    lblTitle = place(makeLabel(QStringLiteral("Home"), 32.25, this), QStringLiteral("lblTitle"), {120, 0, 9255, 855});
    Shape2 = place(makeShape(Shape::Kind::RoundedRectangle, 7, this), QStringLiteral("Shape2"), {120, 960, 9255, 5655});

    picTime = place(new PictureBox(this), QStringLiteral("picTime"), {1853, 1080, 5775, 1935});
    for (const double left : {240, 1560, 3240, 4560})
        placeCell(pledTime, picTime, 110, left, 120);
    shpTime0 = place(makeShape(Shape::Kind::Oval, 1, picTime), QStringLiteral("shpTime(0)"), {2740, 240, 255, 255});
    shpTime1 = place(makeShape(Shape::Kind::Oval, 1, picTime), QStringLiteral("shpTime(1)"), {2740, 1575, 255, 255});
    shpTime0->setObjectName(QStringLiteral("shpTime"));
    shpTime1->setObjectName(QStringLiteral("shpTime"));

    lblBonus = place(makeLabel(QStringLiteral("BONUS"), 21.75, this), QStringLiteral("lblBonus"), {3810, 3240, 1875, 600});
    shpBonusH = place(makeShape(Shape::Kind::Oval, 4, this), QStringLiteral("shpBonusH"), {3120, 3330, 735, 375});
    imgBonusH = place(new Image(this), QStringLiteral("imgBonusH"), {3000, 3210, 975, 615});

    picHomeScore = place(new PictureBox(this), QStringLiteral("picHomeScore"), {360, 3840, 3255, 1935});
    for (const double left : {2160, 840, -480})
        placeCell(pledHomeScore, picHomeScore, 110, left, 120);

    lblPeriod = place(makeLabel(QStringLiteral("PERIOD"), 26.25, this), QStringLiteral("lblPeriod"), {3653, 4400, 2175, 735});
    placeCell(pledPeriod, this, 100, 4320, 4980);
    lblHome = place(makeLabel(QStringLiteral("Home"), 36, this), QStringLiteral("lblHome"), {0, 5760, 4335, 975});
    lblVisitor = place(makeLabel(QStringLiteral("Visitor"), 36, this), QStringLiteral("lblVisitor"), {5160, 5760, 4335, 975});

    plainLabel = new QLabel(QStringLiteral("plain"), this);
    plainLabel->setObjectName(QStringLiteral("plainLabel"));
    SetTwipsRect(plainLabel, {150, 150, 1500, 300});
    m_byKey.insert(QStringLiteral("plainLabel"), plainLabel);
    button = new QPushButton(QStringLiteral("button"), this);
    button->setObjectName(QStringLiteral("button"));
    SetTwipsRect(button, {300, 600, 1200, 450});
    m_byKey.insert(QStringLiteral("button"), button);
}

QWidget *TestBoard::Control(const QString &key) const
{
    return m_byKey.value(key);
}

void TestBoard::ResizeTo(double widthTwips, double heightTwips)
{
    resize(TwipsToPixels(widthTwips), TwipsToPixels(heightTwips));
}

PolyLED *TestBoard::placeCell(LedGroup &group, QWidget *panel, int size, double left, double top)
{
    PolyLED *cell = group.AddCell(panel);
    cell->SetSize(size);
    SetTwipsRect(cell, {left, top, PolyLED::WidthForSize(size), PolyLED::HeightForSize(size)});
    m_byKey.insert(QStringLiteral("%1(%2)").arg(group.Name()).arg(cell->Index()), cell);
    m_scaled.append(cell);
    return cell;
}
