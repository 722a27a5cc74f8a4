#!/usr/bin/python3
# A person's keyboard and pointer on mutter: its own remote-desktop devices, the pointer's absolute moves
# through a linked screen cast of the monitor. Serves IN, a FIFO: a line of commands per write, "ok" to OUT
# when done: key COMBO..., drag X1 Y1 X2 Y2 (by the left button).
import signal, sys, time, dbus
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

DBusGMainLoop(set_as_default=True)
bus, IN, OUT = dbus.SessionBus(), sys.argv[1], sys.argv[2]
RD, SC = "org.gnome.Mutter.RemoteDesktop", "org.gnome.Mutter.ScreenCast"
call = lambda name, path, iface: dbus.Interface(bus.get_object(name, path), iface)
path = call(RD, "/org/gnome/Mutter/RemoteDesktop", RD).CreateSession()
session, id = call(RD, path, RD + ".Session"), call(RD, path, dbus.PROPERTIES_IFACE).Get(RD + ".Session", "SessionId")
cast = call(SC, "/org/gnome/Mutter/ScreenCast", SC).CreateSession({"remote-desktop-session-id": id})
stream = call(SC, cast, SC + ".Session").RecordMonitor("", {})
loop = GLib.MainLoop()
bus.add_signal_receiver(lambda node: loop.quit(), "PipeWireStreamAdded", SC + ".Stream", path=stream)
GLib.timeout_add(10000, loop.quit)
session.Start(), loop.run()
SYMS = {"alt": 0xffe9, "ctrl": 0xffe3, "shift": 0xffe1, "Down": 0xff54, "Up": 0xff52, "F4": 0xffc1}  # else a letter


def key(combo):  # at a person's pace: key repeat is off, and a late release never repeats
    syms = [SYMS.get(name) or ord(name) for name in combo.split("+")]
    for sym, down in [(s, True) for s in syms] + [(s, False) for s in reversed(syms)]:
        session.NotifyKeyboardKeysym(dbus.UInt32(sym), down), time.sleep(0.04)


def drag(x1, y1, x2, y2):  # held at the end for a sticky-mode tick or two, as a person aims
    session.NotifyPointerMotionAbsolute(stream, x1, y1), time.sleep(0.1)
    session.NotifyPointerButton(0x110, True)  # BTN_LEFT
    for i in range(1, 11):
        session.NotifyPointerMotionAbsolute(stream, x1 + (x2 - x1) * i / 10, y1 + (y2 - y1) * i / 10), time.sleep(0.05)
    time.sleep(0.7), session.NotifyPointerButton(0x110, False)


signal.signal(signal.SIGTERM, lambda *_: (session.Stop(), sys.exit(0)))  # mutter ends only once it has stopped
key("shift")  # a fresh keyboard may lose its first key
while True:
    with open(IN) as commands:
        for words in (line.split() for line in commands):
            [key(c) for c in words[1:]] if words[0] == "key" else drag(*map(float, words[1:]))
    with open(OUT, "w") as done:
        done.write("ok\n")
