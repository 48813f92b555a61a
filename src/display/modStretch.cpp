#include "modStretch.h"

#include "Controls.h"
#include "Label.h"
#include "PolyLED.h"
#include "Shape.h"
#include "Twips.h"
#include "TypeName.h"

#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <limits>

QList<LayoutEntry> LayoutTable;
qint16 BaseWidth = 0;
qint16 BaseHeight = 0;

namespace {

// The window's size in twips, measured inside its frame. A window manager adds its frame only once the
// window is shown, so a frame-inclusive size noted while the board loads would not match the same window
// a moment later, and the board would drift off its design at its design size.
QSizeF WindowSize(const QWidget *window)
{
    const QSize inner = window->size();
    return {PixelsToTwips(inner.width()), PixelsToTwips(inner.height())};
}

// Font size, line width and digit size are noted only when they are real sizes: a font set in pixels
// reports -1 points, and scaling that would shrink the text to 1 point.
qint16 NoteSize(const QWidget *control, const char *property)
{
    const double value = control->property(property).toDouble();
    return value > 0 ? RoundHalfEven(value) : 0;
}

// Fills entry for control and says whether its type is one that is scaled. A position or extent
// beyond 16 bits (a control placed far outside the window) is clamped to -32768 or 32767.
bool NoteControl(QWidget *control, LayoutEntry &entry)
{
    const QString type = TypeName(control);
    const bool sized = type == u"PictureBox" || type == u"Image" || type == u"Label" || type == u"Shape";
    if (!sized && type != u"PolyLED")
        return false;

    const QRectF twips = TwipsRect(control);
    entry.control = control;
    entry.Left = RoundHalfEven(twips.left());
    entry.Top = RoundHalfEven(twips.top());
    // An LED cell sizes itself from its digit size, so its width and height are never noted.
    if (sized) {
        entry.Height = RoundHalfEven(twips.height());
        entry.Width = RoundHalfEven(twips.width());
    }
    if (type == u"Label")
        entry.FontSize = NoteSize(control, "FontSize");
    else if (type == u"Shape")
        entry.BorderWidth = NoteSize(control, "BorderWidth");
    else if (type == u"PolyLED")
        entry.Size = NoteSize(control, "Size");
    return true;
}

// Digit cells and round lamps must keep their shape: stretched with the window they would overflow their
// panels in a wide window (a score's hundreds digit slid out of sight) and overlap in a tall one. They
// scale by the smaller of the two ratios instead. A cell or dot inside a panel keeps its place relative
// to the panel's centre at that scale, so a display's digits and dots stay together as one block in
// the middle of their panel; one on the window itself keeps its centre where the two ratios put it.
bool KeepsShape(const QWidget *control)
{
    if (const auto *shape = qobject_cast<const Shape *>(control))
        return shape->ShapeKind() != Shape::Kind::RoundedRectangle;
    return TypeName(control) == u"PolyLED";
}

struct Ratios
{
    float Width;
    float Height;
    float Uniform;
};

const LayoutEntry *PanelEntry(const QWidget *control)
{
    const QWidget *panel = control->parentWidget();
    if (TypeName(panel) != u"PictureBox")
        return nullptr;
    for (const LayoutEntry &entry : std::as_const(LayoutTable)) {
        if (entry.control == panel)
            return &entry;
    }
    return nullptr;
}

void PlaceKeepingShape(const LayoutEntry &entry, const Ratios &ratio)
{
    QWidget *control = entry.control;
    QSizeF noted(entry.Width, entry.Height);
    if (entry.Size != 0) {
        noted = {PolyLED::WidthForSize(entry.Size), PolyLED::HeightForSize(entry.Size)};
        control->setProperty("Size", int{RoundHalfEven(AtLeastOne(ratio.Uniform * entry.Size))});
    }
    if (entry.BorderWidth != 0)
        control->setProperty("BorderWidth", int{RoundHalfEven(AtLeastOne(ratio.Uniform * entry.BorderWidth))});

    const QPointF notedCentre = QPointF(entry.Left, entry.Top) + QPointF(noted.width(), noted.height()) / 2;
    QPointF centre(notedCentre.x() * ratio.Width, notedCentre.y() * ratio.Height);
    if (const LayoutEntry *panel = PanelEntry(control)) {
        const QPointF notedMiddle(panel->Width / 2.0, panel->Height / 2.0);
        const QPointF middle(AtLeastOne(ratio.Width * panel->Width) / 2, AtLeastOne(ratio.Height * panel->Height) / 2);
        centre = middle + (notedCentre - notedMiddle) * ratio.Uniform;
    }
    // A cell has sized itself from its new digit size; a shape takes the uniformly scaled extent.
    const QSizeF extent = entry.Size != 0
        ? TwipsRect(control).size()
        : QSizeF(AtLeastOne(ratio.Uniform * noted.width()), AtLeastOne(ratio.Uniform * noted.height()));
    SetTwipsRect(control, QRectF(centre - QPointF(extent.width(), extent.height()) / 2, extent));
}

void ScaleControl(const LayoutEntry &entry, float width, float height)
{
    QWidget *control = entry.control;
    const float baseWidth = BaseWidth;
    const float baseHeight = BaseHeight;
    if (KeepsShape(control)) {
        const float widthRatio = width / baseWidth;
        const float heightRatio = height / baseHeight;
        PlaceKeepingShape(entry, {widthRatio, heightRatio, std::min(widthRatio, heightRatio)});
        return;
    }

    QRectF twips = TwipsRect(control);
    if (entry.Left != 0)
        twips.moveLeft(ScaledPosition(width, baseWidth, entry.Left));
    if (entry.Top != 0)
        twips.moveTop(ScaledPosition(height, baseHeight, entry.Top));
    if (entry.Width != 0)
        twips.setWidth(ScaledExtent(width, baseWidth, entry.Width));
    if (entry.Height != 0)
        twips.setHeight(ScaledExtent(height, baseHeight, entry.Height));
    SetTwipsRect(control, twips);

    // Text follows the smaller ratio too, so a team name still fits its box in an upright window.
    if (entry.FontSize != 0)
        control->setProperty("FontSize", AtLeastOne(std::min(width / baseWidth, height / baseHeight) * entry.FontSize));
    if (entry.BorderWidth != 0)
        control->setProperty("BorderWidth", int{RoundHalfEven(ScaledExtent(height, baseHeight, entry.BorderWidth))});
}

// The part of a control its panels let show, in the window's coordinates: a score's hundreds cell starts left of
// its panel, and only what lies inside the panel can be seen.
QRect ShownRect(const QWidget *window, const QWidget *control)
{
    QRect shown(control->mapTo(window, QPoint()), control->size());
    for (const QWidget *panel = control->parentWidget(); panel && panel != window; panel = panel->parentWidget())
        shown &= QRect(panel->mapTo(window, QPoint()), panel->size());
    return shown;
}

// No caption may cover a digit or run out of the window. Where a cell reaches under a label's box (the board's
// period digit lies under the inner ends of the team names), the label's contents stop short of the cell on the
// side that costs the least room, and where the box reaches past the window's edge (the visitor's name, by a
// pixel), at that edge; the text, centred in what is left, shrinks if it must.
void KeepCaptionsOffDigits(const QWidget *window)
{
    for (const LayoutEntry &entry : std::as_const(LayoutTable)) {
        auto *label = qobject_cast<Label *>(entry.control);
        if (!label)
            continue;
        const QRect box = ShownRect(window, label);
        const QRect inside = box & window->rect();
        QMargins clear(inside.left() - box.left(), inside.top() - box.top(), box.right() - inside.right(),
                       box.bottom() - inside.bottom());
        for (const LayoutEntry &other : std::as_const(LayoutTable)) {
            const auto *cell = qobject_cast<const PolyLED *>(other.control);
            const QRect under = cell ? box & ShownRect(window, cell) : QRect();
            if (under.isEmpty())
                continue;
            const QMargins cuts(under.right() + 1 - box.left(), under.bottom() + 1 - box.top(),
                                box.right() + 1 - under.left(), box.bottom() + 1 - under.top());
            const int least = std::min({cuts.left(), cuts.top(), cuts.right(), cuts.bottom()});
            if (least == cuts.left())
                clear.setLeft(std::max(clear.left(), least));
            else if (least == cuts.right())
                clear.setRight(std::max(clear.right(), least));
            else if (least == cuts.top())
                clear.setTop(std::max(clear.top(), least));
            else
                clear.setBottom(std::max(clear.bottom(), least));
        }
        label->setContentsMargins(clear);
    }
}

} // namespace

void RecordLayout(QWidget *window)
{
    if (!window)
        return;
    // The base size has 16 bits: a window more than 32767 twips (about 2184 pixels) across or down cannot
    // be noted. Clamping it would skew every later ratio (a window 2560 pixels wide would then scale as
    // if it were 17% wider than it is), so the layout recorded at a smaller size stays: on a resized
    // window every control already stands where that layout puts it for this size.
    const QSizeF size = WindowSize(window);
    constexpr double widest = std::numeric_limits<qint16>::max();
    if (size.width() > widest || size.height() > widest)
        return;

    const QList<QWidget *> controls = Controls(window);
    QList<LayoutEntry> table(controls.size() + 1);
    qsizetype slot = 0;
    for (QWidget *control : controls) {
        if (NoteControl(control, table[slot]))
            ++slot;
    }
    LayoutTable = std::move(table);
    BaseWidth = RoundHalfEven(size.width());
    BaseHeight = RoundHalfEven(size.height());
}

void StretchLayout(QWidget *window)
{
    if (!window || window->isMinimized())
        return;
    // Before the first RecordLayout, or after one on a window of no size, there is no ratio to scale
    // by: the controls stay where they are rather than being thrown to infinity.
    if (BaseWidth <= 0 || BaseHeight <= 0)
        return;

    // The ratio uses the real current size, however large, so a window wider than 16 bits still scales.
    const QSizeF size = WindowSize(window);
    const auto width = static_cast<float>(size.width());
    const auto height = static_cast<float>(size.height());

    window->setUpdatesEnabled(false);
    for (const LayoutEntry &entry : std::as_const(LayoutTable)) {
        if (entry.control)
            ScaleControl(entry, width, height);
    }
    KeepCaptionsOffDigits(window);
    window->setUpdatesEnabled(true);
    window->update();
}
