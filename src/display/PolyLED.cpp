#include "PolyLED.h"

#include "ColorRef.h"
#include "KeyAscii.h"
#include "Twips.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>

#include <array>

namespace {

// Marks the cell faces' keys apart from anything else in the shared pixmap cache.
constexpr qint32 FaceKeyTag = 0x4c45442d;

// Segments a..g, bit 0 = a (top), clockwise, g the middle bar.
constexpr std::array<quint8, 10> DigitSegments = {
    0b0111111, 0b0000110, 0b1011011, 0b1001111, 0b1100110,
    0b1101101, 0b1111101, 0b0000111, 0b1111111, 0b1101111,
};

// A bevelled bar: a hexagon with pointed ends, so neighbouring segments meet on a mitre.
QPainterPath bar(QPointF from, QPointF to, qreal thickness)
{
    const qreal half = thickness / 2;
    QPainterPath path;
    if (from.y() == to.y()) {
        const qreal y = from.y();
        path.moveTo(from.x(), y);
        path.lineTo(from.x() + half, y - half);
        path.lineTo(to.x() - half, y - half);
        path.lineTo(to.x(), y);
        path.lineTo(to.x() - half, y + half);
        path.lineTo(from.x() + half, y + half);
    } else {
        const qreal x = from.x();
        path.moveTo(x, from.y());
        path.lineTo(x + half, from.y() + half);
        path.lineTo(x + half, to.y() - half);
        path.lineTo(x, to.y());
        path.lineTo(x - half, to.y() - half);
        path.lineTo(x - half, from.y() + half);
    }
    path.closeSubpath();
    return path;
}

QColor blend(const QColor &a, const QColor &b, qreal t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

} // namespace

PolyLED::PolyLED(int index, QWidget *parent)
    : QWidget(parent)
    , m_index(index)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    applyExtent();
}

double PolyLED::WidthForSize(int size)
{
    return 9.0 * size - 60.0;
}

double PolyLED::HeightForSize(int size)
{
    return 15.0 * size + 15.0;
}

void PolyLED::SetCaption(int digit)
{
    if (digit < 0 || digit > 9)
        digit = -1;
    if (digit == m_caption)
        return;
    m_caption = digit;
    update();
}

void PolyLED::SetCaption(const QString &digit)
{
    const bool isDigit = digit.size() == 1 && digit.at(0) >= QLatin1Char('0') && digit.at(0) <= QLatin1Char('9');
    SetCaption(isDigit ? digit.at(0).unicode() - '0' : -1);
}

void PolyLED::SetSize(int size)
{
    size = std::max(1, size);
    if (size == m_size)
        return;
    m_size = size;
    applyExtent();
}

void PolyLED::SetLitColor(qint32 color)
{
    if (color == m_litColor)
        return;
    m_litColor = color;
    update();
}

void PolyLED::SetBackColor(qint32 color)
{
    if (color == m_backColor)
        return;
    m_backColor = color;
    update();
}

void PolyLED::SetFocus()
{
    setFocus(Qt::OtherFocusReason);
}

void PolyLED::SetMarked(bool marked)
{
    if (marked == m_marked)
        return;
    m_marked = marked;
    update();
}

void PolyLED::applyExtent()
{
    const QRectF current = TwipsRect(this);
    SetTwipsRect(this, QRectF(current.left(), current.top(), std::max(TwipsPerPixel, WidthForSize(m_size)),
                              std::max(TwipsPerPixel, HeightForSize(m_size))));
}

void PolyLED::paintEvent(QPaintEvent *)
{
    // Antialiased segments are the costliest thing the board draws, and a cell only ever shows eleven
    // faces: each is drawn once per extent, colours, mark and pixel ratio, and copied from then on.
    // The cache is shared, so the cells of one display draw each face once between them; a changed
    // colour or extent makes new keys, and the faces no cell asks for any more age out of the cache.
    // The key is the face's numbers themselves, read as characters: a running clock in tenths looks a face up
    // ten times a second, and formatting them as text was a good part of its cost. Only a face drawn anew
    // stores a copy of the key; the lookup reads it in place.
    const qreal ratio = devicePixelRatioF();
    const std::array<qint32, 8> numbers {FaceKeyTag, width(), height(), m_litColor, m_backColor, m_caption,
                                         m_marked, qRound(ratio * 1000)};
    const QString key = QString::fromRawData(reinterpret_cast<const QChar *>(numbers.data()),
                                             qsizetype(sizeof numbers / sizeof(QChar)));
    QPixmap face;
    if (!QPixmapCache::find(key, &face)) {
        face = QPixmap(size() * ratio);
        face.setDevicePixelRatio(ratio);
        QPainter painter(&face);
        drawFace(painter);
        painter.end();
        QPixmapCache::insert(QString(key.constData(), key.size()), face);
    }
    QPainter(this).drawPixmap(0, 0, face);
}

void PolyLED::drawFace(QPainter &painter) const
{
    const QColor back = ToQColor(m_backColor);
    const QColor lit = ToQColor(m_litColor);
    painter.fillRect(rect(), back);
    painter.setRenderHint(QPainter::Antialiasing);

    const qreal w = width();
    const qreal h = height();
    const qreal thickness = std::min(w * 0.17, h * 0.095);
    const qreal gap = thickness * 0.12;
    const qreal left = w * 0.12 + thickness / 2;
    const qreal right = w * 0.88 - thickness / 2;
    const qreal top = h * 0.06 + thickness / 2;
    const qreal bottom = h * 0.94 - thickness / 2;
    const qreal middle = (top + bottom) / 2;

    const std::array<QPainterPath, 7> segments = {
        bar({left + gap, top}, {right - gap, top}, thickness),
        bar({right, top + gap}, {right, middle - gap}, thickness),
        bar({right, middle + gap}, {right, bottom - gap}, thickness),
        bar({left + gap, bottom}, {right - gap, bottom}, thickness),
        bar({left, middle + gap}, {left, bottom - gap}, thickness),
        bar({left, top + gap}, {left, middle - gap}, thickness),
        bar({left + gap, middle}, {right - gap, middle}, thickness),
    };

    const quint8 on = m_caption >= 0 ? DigitSegments[m_caption] : 0;
    const QColor unlit = blend(back, lit, 0.12);
    painter.setPen(Qt::NoPen);
    for (int s = 0; s < 7; ++s)
        painter.fillPath(segments[s], (on >> s) & 1 ? lit : unlit);

    if (m_marked) {
        // A bar under every digit of the display that takes the typing: plain to the operator at the
        // desk, below the digits so the audience still reads them undisturbed.
        const qreal cue = std::max(2.0, h * 0.025);
        painter.fillRect(QRectF(w * 0.12, h * 0.955, w * 0.76, cue), blend(back, lit, 0.6));
    }
}

void PolyLED::keyPressEvent(QKeyEvent *event)
{
    if (const int code = TakeKeyAscii(event); code >= 0)
        emit KeyPress(m_index, static_cast<qint16>(code));
}
