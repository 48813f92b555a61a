#pragma once

#include <QWidget>

class QPainter;

// One LED-style seven-segment digit. Caption is a digit 0-9, or -1 for a blank cell; Size sets the
// cell's extent (110: 930 x 1665 twips, 100: 840 x 1515 twips), so no caller ever sizes a cell.
// Unlit segments glow faintly in a dim shade of the lit colour, as on a real board. Writing the
// caption, a colour or the mark it already has causes no repaint. Every key typed while the cell has
// the focus is reported once through KeyPress, with the cell's index in its group; a key held down
// is reported once.
class PolyLED : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int Size READ Size WRITE SetSize)
    Q_PROPERTY(qint32 LitColor READ LitColor WRITE SetLitColor)
    Q_PROPERTY(qint32 BackColor READ BackColor WRITE SetBackColor)

public:
    explicit PolyLED(int index = 0, QWidget *parent = nullptr);

    int Index() const { return m_index; }
    int Caption() const { return m_caption; }
    int Size() const { return m_size; }
    qint32 LitColor() const { return m_litColor; }
    qint32 BackColor() const { return m_backColor; }
    // True while the cell's display takes the typing: every cell of it shows a bar under its digit.
    bool Marked() const { return m_marked; }

    // The cell's extent in twips for a digit size.
    static double WidthForSize(int size);
    static double HeightForSize(int size);

    // A digit 0-9 shows it; -1 blanks the cell; any other value blanks it too.
    void SetCaption(int digit);
    // The one-character text of a digit; anything else blanks the cell.
    void SetCaption(const QString &digit);
    void SetSize(int size);
    void SetLitColor(qint32 color);
    void SetBackColor(qint32 color);
    // The cell takes the keyboard focus: the design's name for Qt's setFocus, as a slot a panel's GotFocus can
    // hand its focus on to.
    void SetFocus();
    void SetMarked(bool marked);

signals:
    void KeyPress(int index, qint16 keyAscii);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void applyExtent();
    void drawFace(QPainter &painter) const;

    int m_index;
    int m_caption = 0;
    int m_size = 110;
    qint32 m_litColor = 255;
    qint32 m_backColor = 0;
    bool m_marked = false;
};
