"""The desktop program as a screen reader sees it, through AT-SPI: the menu's buttons, a board's table of
cells, a press on a cell playing a tap there, and the names that change after it; the board back after a
kill -9 or SIGTERM, the menu after Quit.

Run by accessibility_test.sh, which gives it a display, a session bus and the accessibility bus:
    accessibility_test.py TESSEL [--keys]
With --keys it also moves the keyboard's cursor and follows the focus to its cell."""

import ctypes
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

TESSEL = sys.argv[1]
KEYS = "--keys" in sys.argv[2:]
PUZZLES = ["Normal", "Uneven", "Unmovable", "Almost Impossible", "15 Puzzle", "Lights out"]
failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)


def pump(seconds):
    """Runs the event loop for a while, so that events reach the listeners."""
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def wait_for(condition, what, seconds=20):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            found = condition()
        except GLib.Error:
            found = None  # the program busy with its splash, or gone for a moment
        if found:
            return found
        pump(0.2)
    failures.append("waited in vain for " + what)
    print("FAIL waited in vain for " + what, flush=True)
    sys.exit(1)


def descendants(node):
    for child in node:
        if child is not None:
            yield child
            yield from descendants(child)


def the_view():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name.lower() == "tessel":
            for node in descendants(app):
                if node.name in ("Menu",) + tuple(PUZZLES) and any(n.getRole() in (
                        pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TABLE) for n in node):
                    return node
    return None


def focus_window(title):
    """Gives the keyboard to the top-level window of that title, as a window manager would (there is none)."""
    x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    # Windows of that title that are not shown refuse the focus; such errors are only skipped.
    global ignore_errors
    ignore_errors = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(lambda d, e: 0)
    x11.XSetErrorHandler(ignore_errors)
    root, parent = ctypes.c_ulong(), ctypes.c_ulong()
    children, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
    x11.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_void_p, ctypes.c_void_p,
                               ctypes.c_void_p, ctypes.c_void_p]
    x11.XQueryTree(display, x11.XDefaultRootWindow(display), ctypes.byref(root), ctypes.byref(parent),
                   ctypes.byref(children), ctypes.byref(count))
    x11.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_void_p]
    x11.XSetInputFocus.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_ulong]
    found = False
    for i in range(count.value):
        name = ctypes.c_char_p()
        if x11.XFetchName(display, children[i], ctypes.byref(name)) and name.value == title.encode():
            x11.XSetInputFocus(display, children[i], 2, 0)  # RevertToParent, CurrentTime
            found = True
    x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x11.XSync(display, 0)
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay(display)
    return found


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press"))


def board(table):
    """The names of the table's cells, row by row."""
    t = table.queryTable()
    return [[t.getAccessibleAt(r, c).name for c in range(t.nColumns)] for r in range(t.nRows)]


events = []
pyatspi.Registry.registerEventListener(
    lambda e: events.append((e.type, e.source.name if e.source else None)),
    "object:property-change:accessible-name", "object:property-change:accessible-description",
    "object:state-changed:focused", "focus:")

program = subprocess.Popen([TESSEL])
try:
    view = wait_for(the_view, "the game view on the accessibility bus")
    check(focus_window("Tessel"), "the window found on the display, given the keyboard")
    buttons = [n for n in view if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    check([b.name for b in buttons] == PUZZLES, "the menu: six buttons named after the puzzles")
    extents = [b.queryComponent().getExtents(pyatspi.DESKTOP_COORDS) for b in buttons]
    check(extents[0].width == 66 and extents[3].width == 190 and extents[4].y - extents[3].y == 49,
          "each button over its label: Normal 66 wide, Almost Impossible 190, 15 Puzzle 49 lower")

    # The splash holds the menu for a moment: press "Normal" until the board is there.
    def started():
        if view.name != "Normal":
            press(buttons[0])
            pump(0.5)
        return view.name == "Normal"
    wait_for(started, "Normal started by a press on its button")
    table = wait_for(lambda: next((n for n in view if n.getRole() == pyatspi.ROLE_TABLE), None), "the board's table")
    cells = board(table)
    check(len(cells) == 6 and all(len(row) == 6 for row in cells), "a 6 x 6 table: the board in its ring")
    tiles = sorted(int(cells[r][c]) for r in range(1, 5) for c in range(1, 5))
    check(tiles == list(range(1, 17)), "the board holds tiles 1 to 16 once each")
    check(cells[0][1:5] == ["up arrow"] * 4 and cells[5][1:5] == ["down arrow"] * 4, "up and down arrows")
    check([cells[r][0] for r in range(1, 5)] == ["left arrow"] * 4 and cells[0][0] == "blank", "left arrows, corner")
    quit_button = [n for n in view if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    check([b.name for b in quit_button] == ["Quit"], "the Quit button after the table")

    # A press on column 2's up arrow shifts it: each tile one row up, the top one coming round at the bottom.
    events.clear()
    press(table.queryTable().getAccessibleAt(0, 2))
    expected = [row[:] for row in cells]
    for r in range(1, 5):
        expected[r][2] = cells[r % 4 + 1][2]
    wait_for(lambda: board(table) == expected, "column 2 shifted up in the cells' names", 10)
    pump(0.5)
    renamed = {name for kind, name in events if kind == "object:property-change:accessible-name"}
    check({cells[r][2] for r in range(1, 5)} <= renamed, "a name change for each of column 2's cells")
    check(view.description == "column 2 up", "the view says what the move did: " + repr(view.description))

    if KEYS:
        # The keyboard's cursor: focus on its cell, and on the next one after an arrow key.
        def focused():
            t = table.queryTable()
            return next(((r, c) for r in range(t.nRows) for c in range(t.nColumns)
                         if t.getAccessibleAt(r, c).getState().contains(pyatspi.STATE_FOCUSED)), None)
        events.clear()
        pyatspi.Registry.generateKeyboardEvent(114, None, pyatspi.KEY_PRESSRELEASE)  # Right
        first = wait_for(focused, "a focused cell after an arrow key", 10)
        pyatspi.Registry.generateKeyboardEvent(116, None, pyatspi.KEY_PRESSRELEASE)  # Down
        second = wait_for(lambda: (f := focused()) != first and f, "the focus one cell down", 10)
        check(second == (first[0] + 1, first[1]), "the focus one row lower: %s, %s" % (first, second))
        pump(0.5)
        check(any(kind.startswith("object:state-changed:focused") for kind, _ in events), "focus events sent")

    # Ended in the middle of a game, killed or by SIGTERM as at a log-out, the program has it kept as of the
    # last move: the next start brings it back.
    for end in ("kill", "terminate"):
        getattr(program, end)()
        check(program.wait(10) == (-9 if end == "kill" else 0), end + ": the program ends (SIGTERM: status 0)")
        program = subprocess.Popen([TESSEL])
        view = wait_for(lambda: (v := the_view()) and v.name == "Normal" and v, "the kept game after " + end)
        table = wait_for(lambda: next((n for n in view if n.getRole() == pyatspi.ROLE_TABLE), None), "its table")
        check(board(table) == expected, "the board as of the last move, after " + end)
    check(focus_window("Tessel"), "the new window given the keyboard")
    quit_button = [n for n in view if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]

    # Quit: the menu again, its buttons named as before.
    press(quit_button[0])
    wait_for(lambda: view.name == "Menu", "the menu after Quit", 10)
    check([n.name for n in view if n.getRole() == pyatspi.ROLE_PUSH_BUTTON] == PUZZLES, "the six buttons again")

    # Ctrl+Q ends the program, its accessible objects taken down with it.
    pyatspi.Registry.generateKeyboardEvent(37, None, pyatspi.KEY_PRESS)
    pyatspi.Registry.generateKeyboardEvent(24, None, pyatspi.KEY_PRESSRELEASE)
    pyatspi.Registry.generateKeyboardEvent(37, None, pyatspi.KEY_RELEASE)
    try:
        check(program.wait(10) == 0, "Ctrl+Q: the program ends with status 0")
    except subprocess.TimeoutExpired:
        check(False, "Ctrl+Q: the program ends")

    # After Quit nothing was kept: the next start shows the menu.
    program = subprocess.Popen([TESSEL])
    view = wait_for(the_view, "the game view after a start")
    check(view.name == "Menu", "the menu, after a game that ended with Quit")
finally:
    if program.poll() is None:
        program.kill()
        program.wait(10)

print("%d failed" % len(failures))
sys.exit(1 if failures else 0)
