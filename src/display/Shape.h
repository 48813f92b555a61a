#pragma once

#include <QWidget>

// A drawn figure (rounded rectangle, oval or circle) with a fill, an outline colour and an outline
// width in pixels. Shapes are decoration: clicks pass through them to whatever lies beneath.
class Shape : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(qint32 FillColor READ FillColor WRITE SetFillColor)
    Q_PROPERTY(qint32 BorderColor READ BorderColor WRITE SetBorderColor)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)

public:
    enum class Kind { RoundedRectangle, Oval, Circle };

    explicit Shape(Kind kind, QWidget *parent = nullptr);

    Kind ShapeKind() const { return m_kind; }
    qint32 FillColor() const { return m_fillColor; }
    qint32 BorderColor() const { return m_borderColor; }
    int BorderWidth() const { return m_borderWidth; }
    bool Filled() const { return m_filled; }
    bool Bordered() const { return m_bordered; }

    void SetFillColor(qint32 color);
    void SetBorderColor(qint32 color);
    void SetBorderWidth(int pixels);
    void SetFilled(bool filled);
    void SetBordered(bool bordered);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Kind m_kind;
    qint32 m_fillColor = 0xFFFFFF;
    qint32 m_borderColor = 0xFFFFFF;
    int m_borderWidth = 1;
    bool m_filled = false;
    bool m_bordered = true;
};
