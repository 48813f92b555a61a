#pragma once

#include <QLabel>

// A caption on a window: transparent background, centred, one line, with its text colour and
// point size as properties the colour scheme and the layout scaling set by name.
class Label : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(qint32 ForeColor READ ForeColor WRITE SetForeColor)
    Q_PROPERTY(double FontSize READ FontSize WRITE SetFontSize)

public:
    explicit Label(const QString &text = {}, QWidget *parent = nullptr);

    qint32 ForeColor() const { return m_foreColor; }
    double FontSize() const;

    void SetForeColor(qint32 color);
    void SetFontSize(double points);

private:
    qint32 m_foreColor = 0xFFFFFF;
};
