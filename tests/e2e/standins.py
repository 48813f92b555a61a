#!/usr/bin/python3
# Stand-ins on the session bus for the three services that keep a desktop's screen on: the desktop portal,
# GNOME's session manager and the screen-saver service. Each grants an inhibition with a handle of its own,
# insists on the idle kind where the interface has kinds, and takes back only a handle it granted. Every
# grant and release is printed on a line of its own ("portal inhibit", "gnome release", ...), anything else as
# "refused ..."; "ready" once all three names are owned.
import dbus, dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

IDLE = 8
DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
granted = set()
method = dbus.service.method


def note(service, event, handle, wanted=True):
    if not wanted or (event == "inhibit") == (handle in granted):
        print(f"refused {service} {event} {handle}", flush=True)
        raise dbus.exceptions.DBusException("org.freedesktop.DBus.Error.InvalidArgs")
    granted.symmetric_difference_update({handle})  # granted on inhibit, taken back on release
    print(f"{service} {event}", flush=True)


class Request(dbus.service.Object):
    @method("org.freedesktop.portal.Request")
    def Close(self):
        note("portal", "release", self._object_path)
        self.remove_from_connection()


class Portal(dbus.service.Object):
    @method("org.freedesktop.portal.Inhibit", in_signature="sua{sv}", out_signature="o", sender_keyword="sender")
    def Inhibit(self, window, flags, options, sender):
        path = f"/org/freedesktop/portal/desktop/request/{sender[1:].replace('.', '_')}/q{len(granted)}"
        note("portal", "inhibit", path, flags & IDLE and options.get("reason"))
        Request(bus, path)
        return path


class Gnome(dbus.service.Object):
    @method("org.gnome.SessionManager", in_signature="susu", out_signature="u")
    def Inhibit(self, app, xid, reason, flags):
        note("gnome", "inhibit", 41, flags == IDLE and app and reason)
        return 41

    @method("org.gnome.SessionManager", in_signature="u")
    def Uninhibit(self, cookie):
        note("gnome", "release", cookie)


class Saver(dbus.service.Object):
    @method("org.freedesktop.ScreenSaver", in_signature="ss", out_signature="u")
    def Inhibit(self, app, reason):
        note("saver", "inhibit", 42, app and reason)
        return 42

    @method("org.freedesktop.ScreenSaver", in_signature="u")
    def UnInhibit(self, cookie):
        note("saver", "release", cookie)


Portal(bus, "/org/freedesktop/portal/desktop")
Gnome(bus, "/org/gnome/SessionManager")
Saver(bus, "/org/freedesktop/ScreenSaver")
names = [dbus.service.BusName(n, bus) for n in ("org.freedesktop.portal.Desktop", "org.gnome.SessionManager", "org.freedesktop.ScreenSaver")]
print("ready", flush=True)
GLib.MainLoop().run()
