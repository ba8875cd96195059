#!/usr/bin/python3
"""close-window.py TITLE COMMAND...: runs COMMAND, waits for its top-level windows named TITLE,
closes them as a window manager's close button does (WM_DELETE_WINDOW) and exits with the
command's status. Xlib through ctypes, so that the test needs no more than the program does."""
import ctypes
import subprocess
import sys
import time

x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                         ctypes.POINTER(ctypes.c_ulong),
                         ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                         ctypes.POINTER(ctypes.c_uint)]
x.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
x.XFree.argtypes = [ctypes.c_void_p]
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                         ctypes.c_void_p]
x.XFlush.argtypes = [ctypes.c_void_p]


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5),
                ("pad", ctypes.c_long * 24)]  # an XEvent is larger than this member of it


def top_levels_named(display, title):
    root, parent = ctypes.c_ulong(), ctypes.c_ulong()
    children, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
    if not x.XQueryTree(display, x.XDefaultRootWindow(display), ctypes.byref(root),
                        ctypes.byref(parent), ctypes.byref(children), ctypes.byref(count)):
        return []
    found = []
    for i in range(count.value):
        name = ctypes.c_char_p()
        if x.XFetchName(display, children[i], ctypes.byref(name)) and name.value:
            if name.value.decode("utf-8", "replace") == title:
                found.append(children[i])
            x.XFree(name)
    if children:
        x.XFree(children)
    return found


def main():
    title, command = sys.argv[1], sys.argv[2:]
    display = x.XOpenDisplay(None)
    if not display:
        sys.exit("no X display")
    program = subprocess.Popen(command)
    deadline = time.monotonic() + 60
    windows = []
    while not windows:
        if program.poll() is not None:
            sys.exit(f"{command[0]} ended with {program.returncode} before its window opened")
        if time.monotonic() > deadline:
            program.kill()
            sys.exit(f"no window named {title} within a minute")
        time.sleep(0.5)
        windows = top_levels_named(display, title)
    time.sleep(2)  # the window has settled: the first start's work is done
    windows = top_levels_named(display, title)
    # Qt may keep a hidden window of the same name beside the one shown; each is asked.
    for window in windows:
        event = ClientMessage(type=33, window=window,  # 33: ClientMessage
                              message_type=x.XInternAtom(display, b"WM_PROTOCOLS", 0), format=32)
        event.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
        x.XSendEvent(display, window, 0, 0, ctypes.byref(event))
    x.XFlush(display)
    try:
        sys.exit(program.wait(timeout=30))
    except subprocess.TimeoutExpired:
        program.kill()
        sys.exit(f"{command[0]} did not end within 30 seconds of its window being closed")


main()
