#pragma once

#include "display/LedGroup.h"
#include "display/Twips.h"

#include <QHash>
#include <QWidget>

class QLabel;
class QPushButton;

// A small board to scale and colour: the design size 9480 x 6795 twips (632 x 453 pixels) and a
// selection of the board's controls at their design places, plus a plain QLabel and a QPushButton that
// are of no scaled type. Every scaled control can be fetched by a key: its name, with "(i)" for a cell.
class TestBoard : public QWidget
{
public:
    static constexpr double DesignWidth = 9480;
    static constexpr double DesignHeight = 6795;

    TestBoard();

    QWidget *Control(const QString &key) const { return m_byKey.value(key); }
    QList<QWidget *> ScaledControls() const { return m_scaled; }

    // Gives the window this size (inside its frame), in twips, whether or not it is shown.
    void ResizeTo(double widthTwips, double heightTwips) { resize(TwipsToPixels(widthTwips), TwipsToPixels(heightTwips)); }

    LedGroup pledTime{QStringLiteral("pledTime")};
    LedGroup pledHomeScore{QStringLiteral("pledHomeScore")};
    LedGroup pledPeriod{QStringLiteral("pledPeriod")};
    QLabel *plainLabel = nullptr;
    QPushButton *button = nullptr;

private:
    template <class T>
    T *place(T *control, const QString &key, const QRectF &twips, const char *sizeName = nullptr, double size = 0);
    void placeCells(LedGroup &group, QWidget *panel, int size, const QList<double> &lefts, double top);

    QHash<QString, QWidget *> m_byKey;
    QList<QWidget *> m_scaled;
};
