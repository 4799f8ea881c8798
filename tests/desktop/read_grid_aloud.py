"""Reads the structure editor's grid as a screen reader does, through AT-SPI from
outside the program, and presses keys as a user through the X server (XTEST).

    read_grid_aloud.py QUILLMAKER LIBRARY STRUCTURE

Starts QUILLMAKER on LIBRARY with STRUCTURE open, then: finds the table, reads
the row count and a cell, moves the current cell with Down and sees the focus
follow, types a variable of an unknown type into the entry row and finds the
error as the row header's description. Prints what a reader hears for that
row. Exit status 0 when all held, 1 when one did not, 77 when the program never
showed up on the accessibility bus.
"""
import ctypes
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

X11 = ctypes.cdll.LoadLibrary("libX11.so.6")
XTST = ctypes.cdll.LoadLibrary("libXtst.so.6")
X11.XOpenDisplay.restype = ctypes.c_void_p
X11.XOpenDisplay.argtypes = [ctypes.c_char_p]
X11.XStringToKeysym.restype = ctypes.c_ulong
X11.XStringToKeysym.argtypes = [ctypes.c_char_p]
X11.XKeysymToKeycode.restype = ctypes.c_ubyte
X11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
X11.XFlush.argtypes = [ctypes.c_void_p]
XTST.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]

failures = []
heard = []  # (event type, source's name) as the program told them


def listen(event):
    if event.type.endswith("focused") and not event.detail1:
        return
    try:
        heard.append((event.type, event.source.name))
    except Exception:
        pass


def check(what, ok, detail=""):
    print(("ok      " if ok else "FAILED  ") + what + (f": {detail}" if detail else ""))
    if not ok:
        failures.append(what)


def wait_for(probe, seconds=10.0):
    """The first true answer of probe within seconds, else its last answer."""
    end = time.monotonic() + seconds
    while True:
        while GLib.MainContext.default().iteration(False):
            pass
        try:
            answer = probe()
        except Exception:  # an object the program just replaced
            answer = None
        if answer or time.monotonic() > end:
            return answer
        time.sleep(0.1)


class Keyboard:
    def __init__(self):
        self.display = X11.XOpenDisplay(None)

    def press(self, *names):
        """Presses the keys in order and lets them go in reverse: press("Control_L", "End")."""
        codes = [X11.XKeysymToKeycode(self.display, X11.XStringToKeysym(n.encode())) for n in names]
        for code in codes:
            XTST.XTestFakeKeyEvent(self.display, code, 1, 0)
        for code in reversed(codes):
            XTST.XTestFakeKeyEvent(self.display, code, 0, 0)
        X11.XFlush(self.display)
        time.sleep(0.05)

    def type(self, text):
        for c in text:
            self.press(c)


def find_program(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == name:
            return app
    return None


def find_table(app):
    return pyatspi.findDescendant(app, lambda a: a is not None and a.getRole() == pyatspi.ROLE_TABLE)


def focused_row(table):
    """The row (from 0) of the focused cell, or None."""
    t = table.queryTable()
    for row in range(t.nRows):
        for column in range(t.nColumns):
            if t.getAccessibleAt(row, column).getState().contains(pyatspi.STATE_FOCUSED):
                return row
    return None


def read_row(table, row):
    t = table.queryTable()
    header = t.getRowHeader(row)
    cells = [t.getAccessibleAt(row, c) for c in range(t.nColumns)]
    heard = [f"row header \"{header.name}\"" + (f", description \"{header.description}\"" if header.description else "")]
    for c, cell in enumerate(cells):
        heard.append(f"{t.getColumnDescription(c)} \"{cell.name}\"")
    return "; ".join(heard)


def main():
    program, library, structure = sys.argv[1:4]
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
               QT_ACCESSIBILITY="1", NO_AT_BRIDGE="0")
    quill = subprocess.Popen([program, library, "--open", structure, "--profile", os.devnull], env=env)
    try:
        app = wait_for(lambda: find_program("quillmaker"), 30)
        if app is None:
            print("SKIPPED: the program did not show up on the accessibility bus")
            return 77
        table = wait_for(lambda: find_table(app), 10)
        check("the grid is a table", table is not None)
        if table is None:
            return 1
        t = table.queryTable()
        check("the table has the structure's rows and an entry row", t.nRows == 6, f"{t.nRows} rows")
        check("three columns Name, Type, Dec", t.nColumns == 3 and
              [t.getColumnDescription(c) for c in range(3)] == ["Name", "Type", "Dec"])
        check("a cell reads its text", t.getAccessibleAt(1, 0).name == "article", t.getAccessibleAt(1, 0).name)
        check("a decimal's Dec reads its positions", t.getAccessibleAt(2, 2).name == "2", t.getAccessibleAt(2, 2).name)
        check("the last row is named the entry row", t.getRowHeader(5).name == "6, entry row", t.getRowHeader(5).name)

        keys = Keyboard()
        pyatspi.Registry.registerEventListener(
            listen, "object:state-changed:focused", "object:property-change:accessible-name")
        check("a cell has the focus", wait_for(lambda: focused_row(table) is not None, 10))
        keys.press("Control_L", "Home")
        check("Ctrl+Home moves the focus to the first row", wait_for(lambda: focused_row(table) == 0, 5),
              f"row {focused_row(table)}")
        heard.clear()
        keys.press("Down")
        check("Down moves it one row down", wait_for(lambda: focused_row(table) == 1, 5), f"row {focused_row(table)}")
        check("and the program tells the reader", wait_for(lambda: ("object:state-changed:focused", "article") in heard, 5),
              str(heard))

        # A variable of a type nobody knows, typed into the entry row.
        keys.press("Control_L", "End")
        heard.clear()
        keys.type("note")
        check("typing tells the cell's new text", wait_for(
            lambda: ("object:property-change:accessible-name", "note") in heard, 5), str(heard))
        keys.press("Tab")
        keys.type("memo")
        keys.press("Tab")
        marked = wait_for(lambda: "memo" in t.getRowHeader(5).description, 10)
        check("the marked row's header describes its error", marked, t.getRowHeader(5).description)
        check("its cells carry the error too", "memo" in t.getAccessibleAt(5, 1).description)
        check("a new entry row follows it", t.nRows == 7, f"{t.nRows} rows")
        print("A screen reader reads row 6:", read_row(table, 5))
    finally:
        quill.terminate()
        try:
            quill.wait(10)
        except subprocess.TimeoutExpired:
            quill.kill()
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
