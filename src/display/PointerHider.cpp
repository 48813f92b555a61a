#include "PointerHider.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

PointerHider::PointerHider(QWidget *window, std::chrono::milliseconds idle) : QObject(window), m_window(window)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(idle);
    connect(&m_idle, &QTimer::timeout, this, &PointerHider::Hide);
    // Motion is watched for the whole program: a widget sees a move only while it tracks the mouse, and the
    // pointer that moves off the board onto another of our windows must come back there as well.
    qApp->installEventFilter(this);
}

PointerHider::~PointerHider()
{
    Show();
}

bool PointerHider::eventFilter(QObject *watched, QEvent *event)
{
    // Qt hands every move to the window under the pointer before any widget sees it; a move over another of
    // our windows (help beside the board) shows the pointer too, and it stays there.
    const bool moved = event->type() == QEvent::MouseMove && watched->isWindowType();
    if (moved || (event->type() == QEvent::WindowStateChange && watched == m_window)) {
        Show();
        // The board just put to full screen hides the pointer too when nobody touches the mouse.
        if (m_window->isFullScreen() && (!moved || watched == m_window->windowHandle()))
            m_idle.start();
        else
            m_idle.stop();
    }
    return false;
}

// The override cursor stands over every widget's own (the indicators' pointing hand included), and taking
// it back gives each of them its own again.
void PointerHider::Show()
{
    if (!m_hidden)
        return;
    m_hidden = false;
    QGuiApplication::restoreOverrideCursor();
}

void PointerHider::Hide()
{
    if (m_hidden)
        return;
    m_hidden = true;
    QGuiApplication::setOverrideCursor(Qt::BlankCursor);
}
