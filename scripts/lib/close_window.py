"""Asks an X window to close as a window manager's close button does, by WM_DELETE_WINDOW.
Usage: close_window.py WINDOW-ID"""
import sys
from Xlib import X, display, protocol

d = display.Display()
w, atom = d.create_resource_object("window", int(sys.argv[1])), d.intern_atom
w.send_event(protocol.event.ClientMessage(window=w, client_type=atom("WM_PROTOCOLS"),
                                          data=(32, [atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])))
d.sync()
