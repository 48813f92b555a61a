#pragma once

#include <QWidget>

// A panel with an opaque background that holds other controls. It can take the keyboard focus
// (by a click or by Tab) and reports it, so the window can hand the focus on to a control inside.
class PictureBox : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(qint32 BackColor READ BackColor WRITE SetBackColor)

public:
    explicit PictureBox(QWidget *parent = nullptr);

    qint32 BackColor() const { return m_backColor; }
    void SetBackColor(qint32 color);

signals:
    void GotFocus(Qt::FocusReason reason);

protected:
    void focusInEvent(QFocusEvent *event) override;

private:
    qint32 m_backColor = 0;
};
