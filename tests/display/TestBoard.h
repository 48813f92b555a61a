#pragma once

#include "display/LedGroup.h"

#include <QHash>
#include <QWidget>

class Image;
class Label;
class PictureBox;
class QLabel;
class QPushButton;
class Shape;

// A small board to scale and colour: the design size 9480 x 6795 twips (632 x 453 pixels) and a
// selection of the board's controls at their design places, plus a plain QLabel and a QPushButton that
// are of no scaled type. Every control can be fetched by a key: its name, with "(i)" for a group member.
class TestBoard : public QWidget
{
public:
    static constexpr double DesignWidth = 9480;
    static constexpr double DesignHeight = 6795;

    TestBoard();

    QWidget *Control(const QString &key) const;
    QList<QWidget *> ScaledControls() const { return m_scaled; }

    // Gives the window this size (inside its frame), in twips, whether or not it is shown.
    void ResizeTo(double widthTwips, double heightTwips);

    Label *lblTitle = nullptr;
    Shape *Shape2 = nullptr;
    PictureBox *picTime = nullptr;
    LedGroup pledTime{QStringLiteral("pledTime")};
    Shape *shpTime0 = nullptr;
    Shape *shpTime1 = nullptr;
    Label *lblBonus = nullptr;
    Shape *shpBonusH = nullptr;
    Image *imgBonusH = nullptr;
    PictureBox *picHomeScore = nullptr;
    LedGroup pledHomeScore{QStringLiteral("pledHomeScore")};
    Label *lblPeriod = nullptr;
    LedGroup pledPeriod{QStringLiteral("pledPeriod")};
    Label *lblHome = nullptr;
    Label *lblVisitor = nullptr;
    QLabel *plainLabel = nullptr;
    QPushButton *button = nullptr;

private:
    template <class T>
    T *place(T *control, const QString &key, const QRectF &twips);
    PolyLED *placeCell(LedGroup &group, QWidget *panel, int size, double left, double top);

    QHash<QString, QWidget *> m_byKey;
    QList<QWidget *> m_scaled;
};
