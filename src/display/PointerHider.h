#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>

class QWidget;

// Hides the mouse pointer over a full-screen window once it has rested there for the idle time, so that a
// pointer left on a projected board does not sit over its digits. Any motion brings it back at once, and so
// does leaving full screen: in a window the pointer always shows.
class PointerHider : public QObject
{
    Q_OBJECT

public:
    explicit PointerHider(QWidget *window, std::chrono::milliseconds idle = std::chrono::seconds(2));
    ~PointerHider() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Show();
    void Hide();

    QWidget *m_window;
    QTimer m_idle {this};
    bool m_hidden = false;
};
