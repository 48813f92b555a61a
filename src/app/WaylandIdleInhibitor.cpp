#include "WaylandIdleInhibitor.h"

#include "idle-inhibit-unstable-v1-client-protocol.h"

#include <QGuiApplication>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

#include <wayland-client.h>

#include <cstring>

WaylandIdleInhibitor::WaylandIdleInhibitor(QWindow *window, QObject *parent) : QObject(parent)
{
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    if (!native)
        return;
    m_display = static_cast<wl_display *>(native->nativeResourceForIntegration("wl_display"));
    m_surface = static_cast<wl_surface *>(native->nativeResourceForWindow("surface", window));
    if (!m_display || !m_surface)
        return;
    // The compositor names its globals in answer to the registry, on Qt's own queue: the answer is handled
    // when it comes, and nothing here waits for it.
    m_registry = wl_display_get_registry(m_display);
    static const wl_registry_listener listener {&WaylandIdleInhibitor::Global, &WaylandIdleInhibitor::GlobalRemove};
    wl_registry_add_listener(m_registry, &listener, this);
    wl_display_flush(m_display);
}

WaylandIdleInhibitor::~WaylandIdleInhibitor()
{
    if (m_inhibitor)
        zwp_idle_inhibitor_v1_destroy(m_inhibitor);
    if (m_manager)
        zwp_idle_inhibit_manager_v1_destroy(m_manager);
    if (m_registry) {
        wl_registry_destroy(m_registry);
        // A board that closes while the program goes on (help still open) may send nothing else for long.
        wl_display_flush(m_display);
    }
}

void WaylandIdleInhibitor::Global(void *data, wl_registry *registry, uint32_t name, const char *interface,
                                  uint32_t /*version*/)
{
    auto *self = static_cast<WaylandIdleInhibitor *>(data);
    if (self->m_manager || std::strcmp(interface, zwp_idle_inhibit_manager_v1_interface.name) != 0)
        return;
    self->m_manager = static_cast<zwp_idle_inhibit_manager_v1 *>(
        wl_registry_bind(registry, name, &zwp_idle_inhibit_manager_v1_interface, 1));
    self->m_inhibitor = zwp_idle_inhibit_manager_v1_create_inhibitor(self->m_manager, self->m_surface);
    wl_display_flush(self->m_display);
}

void WaylandIdleInhibitor::GlobalRemove(void *, wl_registry *, uint32_t) {}
