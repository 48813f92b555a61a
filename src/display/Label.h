#pragma once

#include <QLabel>

// A caption on a window: transparent background, centred, one line, with its text colour and
// point size as properties the colour scheme and the layout scaling set by name. The point size is
// the one the text is designed at; a text too long for the label's contents is shown just small
// enough to fit them, so it is never cut (the layout narrows the contents where a digit lies beneath).
class Label : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(qint32 ForeColor READ ForeColor WRITE SetForeColor)
    Q_PROPERTY(double FontSize READ FontSize WRITE SetFontSize)

public:
    explicit Label(const QString &text = {}, QWidget *parent = nullptr);

    qint32 ForeColor() const { return m_foreColor; }
    double FontSize() const;
    // The font the text is painted in: the label's own, at the largest size up to FontSize that fits.
    QFont ShownFont() const;
    // Where the text is painted, in the label's coordinates.
    QRect TextRect() const;

    void SetForeColor(qint32 color);
    void SetFontSize(double points);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    qint32 m_foreColor = 0xFFFFFF;
    // The fitted font of the last text, font, room and alignment it was worked out for: fitting measures the
    // text several times, and a label is painted far more often than any of them changes.
    mutable Qt::Alignment m_fittedAlignment;
    mutable QString m_fittedText;
    mutable QFont m_fittedFor;
    mutable QRect m_fittedRoom;
    mutable QFont m_fitted;
};
