# SPDX-License-Identifier: GPL-3.0-or-later
# The game window as a screen reader reads it through AT-SPI (run by tests/e2e/access.sh, which
# starts the display, the session and accessibility buses and the game): every window walked for
# interactive controls without a name, Tab reaching the field and the results, a move played by
# keys announced with its text, the computer's answer announced, and the field's table read back
# against the letters the game put. Prints what it heard; exits non-zero on a failure.
#
#   access.py <game-pid> <screens-dir>
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

LABEL = "e2e access"
game_pid = int(sys.argv[1])
screens = sys.argv[2]

INTERACTIVE = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_ENTRY, pyatspi.ROLE_TEXT,
    pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_SLIDER, pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_TABLE,
    pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_MENU,
    pyatspi.ROLE_LIST,
}

heard = []  # (event type, source role, source name)
checked = set()  # the interactive controls walked, by window and path


def fail(message):
    print(f"{LABEL}: FAILED: {message}", file=sys.stderr)
    sys.exit(1)


def step(message):
    print(f"{LABEL}: {message}")


def pump(seconds):
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "80", *names], check=True)
    pump(0.4)


def listen(event):
    try:
        heard.append((event.type, event.source.getRole(), event.source.name or ""))
    except Exception:  # a source that is gone
        pass


def game_app():
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(100):
        for app in desktop:
            try:
                if app is not None and app.get_process_id() == game_pid:
                    return app
            except Exception:
                continue
        time.sleep(0.1)
    fail("the game did not appear on the accessibility bus")


def window(app, title, seconds=5):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        for w in app:
            if w is not None and w.name == title and w.getState().contains(pyatspi.STATE_SHOWING):
                return w
        pump(0.1)
    fail(f"no window '{title}' on the accessibility bus")


def walk(obj, depth=0):
    yield obj
    if depth > 40:
        return
    for i in range(obj.childCount):
        child = obj.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def unnamed(win):
    found = []
    for obj in walk(win):
        state = obj.getState()
        if not state.contains(pyatspi.STATE_SHOWING):
            continue
        if obj.getRole() not in INTERACTIVE:
            continue
        checked.add((win.name, obj.getRoleName(), obj.name, tuple(obj.getIndexInParent() for _ in [0])))
        if not (obj.name or "").strip():
            found.append(f"{obj.getRoleName()} in '{win.name}'")
    return found


def find(win, role, name=None):
    for obj in walk(win):
        if obj.getRole() == role and (name is None or obj.name == name):
            return obj
    return None


def spoken():
    return [name for (kind, role, name) in heard
            if kind.startswith("object:state-changed:showing") and role == pyatspi.ROLE_NOTIFICATION]


def focused_names():
    return [name for (kind, role, name) in heard
            if kind.startswith("object:state-changed:focused") or kind.startswith("focus:")]


pyatspi.Registry.registerEventListener(
    listen, "object:state-changed:showing", "object:state-changed:focused", "focus:",
    "object:property-change:accessible-name")

app = game_app()
app.set_cache_mask(pyatspi.Atspi.Cache.NONE) if hasattr(app, "set_cache_mask") else None
main = window(app, "Tessaroon 2.1")
step(f"the game on the accessibility bus: {app.name}, window '{main.name}'")

problems = unnamed(main)
if problems:
    fail("unnamed controls: " + "; ".join(problems))
step("every control of the main window has a name")

keys("F2")
pump(1.0)
if not any("new game" in s.lower() for s in spoken()):
    fail(f"the new game was not announced (heard {spoken()})")

field = find(main, pyatspi.ROLE_TABLE, "Field")
results = find(main, pyatspi.ROLE_TABLE, "Results")
if field is None or results is None:
    fail("no Field or Results table")
table = field.queryTable()
if (table.nRows, table.nColumns) != (5, 5):
    fail(f"the field reads as {table.nRows} x {table.nColumns}")


def read_field():
    rows = []
    for r in range(table.nRows):
        row = ""
        for c in range(table.nColumns):
            name = table.getAccessibleAt(r, c).name
            what = name.split(", ")[0]
            if f"column {c + 1}, row {r + 1}" not in name:
                fail(f"cell ({c}, {r}) reads '{name}'")
            row += "." if what == "empty" else what
        rows.append(row)
    return rows


before = read_field()
if before[2] != "STONE" or any(r != "....." for i, r in enumerate(before) if i != 2):
    fail(f"the field reads {before} before the first move")
step(f"the field reads {'/'.join(before)}")

# Tab goes from the field to the results and back with Shift+Tab.
heard.clear()
keys("Tab")
if "Results" not in " ".join(focused_names()):
    fail(f"Tab did not reach the results (focus events {focused_names()})")
keys("shift+Tab")
if not any("column" in n for n in focused_names()[-3:]):
    fail(f"Shift+Tab did not bring the focus to a field cell (focus events {focused_names()})")
step("Tab reaches the results and Shift+Tab the field, at its cursor cell")

# The move AS by keys: the cursor above the S, A typed, A and S marked, Enter.
heard.clear()
keys("Up", "Left", "Left")
cursor = [n for n in focused_names() if "cursor" in n]
if not cursor or not cursor[-1].startswith("empty, column 1, row 2"):
    fail(f"the cursor's cell was not the focus (focus events {focused_names()})")
step(f"the cursor cell is the focus: '{cursor[-1]}'")
keys("a", "space", "Down", "space", "Return")
for _ in range(50):
    if any(s.startswith("Computer:") for s in spoken()):
        break
    pump(0.2)
said = spoken()
step(f"announced: {said}")
if "Ann: AS, 20 points" not in said:
    fail("the move AS was not announced")
if not any(s.startswith("Computer:") for s in said):
    fail("the computer's move was not announced")

# The field as read equals the game's field: STONE, the A, and the computer's letter where the
# results table says, nothing else.
after = read_field()
rtable = results.queryTable()
rows = [[rtable.getAccessibleAt(r, c).name for c in range(rtable.nColumns)]
        for r in range(rtable.nRows)]
step(f"the results read {rows}")
if len(rows) != 2 or rows[0] != ["Ann", "AS", "20", "A"] or rows[1][0] != "Computer":
    fail("the results do not read as the moves")
added = [(c, r, after[r][c]) for r in range(5) for c in range(5)
         if after[r][c] != "." and not (r == 2) and not (c, r) == (0, 1)]
if after[2] != "STONE" or after[1][0] != "A" or len(added) != 1 or added[0][2] != rows[1][3]:
    fail(f"the field reads {after}, not STONE, the A and the computer's letter {rows[1][3]}")
step(f"the field reads back {'/'.join(after)}: the computer put {rows[1][3]} at "
     f"({added[0][0]}, {added[0][1]})")

# The dialogs: every control named.
for key, title in (("F3", "Game Options"), ("F4", "Record Table"), ("F5", "Style Parameters")):
    keys(key)
    dialog = window(app, title)
    problems = unnamed(dialog)
    if title == "Game Options":
        tabs = [o for o in walk(dialog) if o.getRole() == pyatspi.ROLE_PAGE_TAB]
        for i, tab in enumerate(tabs):
            if tab.name != tab.name.strip():
                problems.append(f"tab '{tab.name}' padded")
            tab.queryAction().doAction(0) if tab.queryAction().nActions else None
            pump(0.3)
            problems += unnamed(dialog)
        step("the options dialog's tabs: " + ", ".join(t.name for t in tabs))
    subprocess.run(["import", "-window", "root", f"{screens}/40-access-{key}.png"], check=False)
    if problems:
        fail("unnamed controls: " + "; ".join(sorted(set(problems))))
    keys("Escape")
    pump(0.5)
    step(f"every control of '{title}' has a name "
         f"({len([c for c in checked if c[0] == title])} controls walked)")

print(f"{LABEL}: 1 passed, 0 failed")
