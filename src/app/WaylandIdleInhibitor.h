#pragma once

#include <QObject>

#include <cstdint>

class QWindow;
struct wl_display;
struct wl_registry;
struct wl_surface;
struct zwp_idle_inhibit_manager_v1;
struct zwp_idle_inhibitor_v1;

// Asks the Wayland compositor not to go idle (no blanking, no lock, no power-down) for as long as it exists
// and the window is on show, through the compositor's idle-inhibit protocol on the window's own surface.
// It speaks only on the connection of Qt's Wayland platform; a compositor without the protocol, or a window
// without a surface, leaves it doing nothing.
class WaylandIdleInhibitor : public QObject
{
    Q_OBJECT

public:
    explicit WaylandIdleInhibitor(QWindow *window, QObject *parent = nullptr);
    ~WaylandIdleInhibitor() override;

private:
    static void Global(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version);
    static void GlobalRemove(void *data, wl_registry *registry, uint32_t name);

    wl_display *m_display = nullptr;
    wl_surface *m_surface = nullptr;
    wl_registry *m_registry = nullptr;
    zwp_idle_inhibit_manager_v1 *m_manager = nullptr;
    zwp_idle_inhibitor_v1 *m_inhibitor = nullptr;
};
