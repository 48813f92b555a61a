# Clicks at a point of a VNC server's screen, speaking just enough of the protocol: version, no security, a
# shared session, then the pointer moved, pressed and released. Usage: vnc_click.py SOCKET X Y
import socket, struct, sys, time

s = socket.socket(socket.AF_UNIX)
s.connect(sys.argv[1])
read = lambda n: s.recv(n, socket.MSG_WAITALL)
read(12); s.sendall(b"RFB 003.008\n")
assert 1 in read(read(1)[0]), "the VNC server asks for a password"
s.sendall(b"\x01"); assert read(4) == b"\0\0\0\0"
s.sendall(b"\x01"); read(20); read(struct.unpack(">I", read(4))[0])
for buttons in (0, 1, 0):
    s.sendall(struct.pack(">BBHH", 5, buttons, int(sys.argv[2]), int(sys.argv[3]))); time.sleep(0.2)
