"""Checks the running game from outside, through the AT-SPI bus, as a screen
reader sees it: every letter square of the grid a named cell, every toolbar
button named, every clue line named from its clue letter, the accessible
focus following the grid's cursor when the player clicks and types, and
the typed square announcing its new letter.

    atspi_check.py <pid of the game>
Exit 0 when all holds, 1 with the failures listed otherwise."""
import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

failures = []


def fail(text):
    failures.append(text)
    print("FAIL:", text)


def find_app(pid, seconds=30):
    end = time.time() + seconds
    while time.time() < end:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_process_id() == pid:
                return app
        time.sleep(0.2)
    return None


def walk(node):
    yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from walk(child)


def find(app, role, name=None, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        for node in walk(app):
            if node.get_role_name() == role and (name is None or node.get_name() == name):
                return node
        time.sleep(0.2)
    return None


def children(node):
    return [node.get_child_at_index(i) for i in range(node.get_child_count())]


def label(k):
    return chr(64 + k) if k <= 26 else chr(70 + k) * 2


focus_events = []
renamed = []


def on_focus(event):
    if event.detail1 == 1:
        focus_events.append(event.source.get_name())


def on_rename(event):
    renamed.append(event.source.get_name())


def pump(seconds):
    """Lets the bus deliver events for a while."""
    loop = GLib.MainLoop()
    GLib.timeout_add(int(seconds * 1000), loop.quit)
    loop.run()


def focused_cell(grid):
    for cell in children(grid):
        if cell.get_state_set().contains(Atspi.StateType.FOCUSED):
            return cell.get_name()
    return None


def main():
    app = find_app(int(sys.argv[1]))
    if app is None:
        print("FAIL: the game never appeared on the accessibility bus")
        return 1

    grid = find(app, "table", "Quotation grid")
    if grid is None:
        fail("no table named 'Quotation grid'")
        return 1
    rows, cols = grid.get_n_rows(), grid.get_n_columns()
    cells = children(grid)
    if len(cells) != rows * cols or not cells:
        fail(f"grid has {len(cells)} cells for {rows} x {cols}")
    letter = re.compile(r"^\d+( [A-Za-z]+)?, row \d+, column \d+, ([A-Z]|empty)$")
    other = re.compile(r"^row \d+, column \d+, (black square|apostrophe|hyphen)$")
    letters = [c for c in cells if not other.match(c.get_name())]
    for c in cells:
        if c.get_role_name() != "table cell":
            fail(f"grid child {c.get_name()!r} is a {c.get_role_name()}")
    for c in letters:
        if not letter.match(c.get_name()):
            fail(f"letter square named {c.get_name()!r}")
    print(f"grid: {rows} x {cols}, {len(letters)} letter squares named")

    toolbar = find(app, "tool bar")
    buttons = [n for n in walk(toolbar) if n.get_role_name() == "push button"] if toolbar else []
    if len(buttons) != 10:
        fail(f"{len(buttons)} toolbar buttons instead of 10")
    for b in buttons:
        if not b.get_name():
            fail("a toolbar button without a name")
    print("toolbar:", ", ".join(b.get_name() for b in buttons))

    clues = find(app, "list")
    items = [n for n in children(clues) if n.get_role_name() == "list item"] if clues else []
    if not items:
        fail("no clue lines")
    for k, item in enumerate(items, 1):
        if not item.get_name().startswith(label(k) + ". "):
            fail(f"clue line {k} named {item.get_name()!r}")
    print(f"clues: {len(items)} lines named by their letter")

    # The cursor: a click on the first empty letter square, then a letter.
    listener = Atspi.EventListener.new(on_focus)
    listener.register("object:state-changed:focused")
    rename_listener = Atspi.EventListener.new(on_rename)
    rename_listener.register("object:property-change:accessible-name")
    names = [c.get_name() for c in cells]
    empty = [i for i in range(len(cells) - 1) if names[i].endswith(", empty") and names[i + 1].endswith(", empty")]
    target = cells[empty[0]] if empty else None
    if target is None:
        fail("no two empty letter squares side by side to play in")
        return 1
    box = target.get_extents(Atspi.CoordType.SCREEN)
    x, y = box.x + box.width // 2, box.y + box.height // 2
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True)
    pump(1.5)
    if focused_cell(grid) != target.get_name():
        fail(f"after the click the focused cell is {focused_cell(grid)!r}, not {target.get_name()!r}")
    if target.get_name() not in focus_events:
        fail(f"no focus event for the clicked square; events: {focus_events}")
    index = cells.index(target)
    subprocess.run(["xdotool", "key", "q"], check=True)
    pump(1.5)
    typed = cells[index].get_name()
    if not typed.endswith(", Q"):
        fail(f"the typed square is named {typed!r}")
    if typed not in renamed:
        fail(f"no name change for the typed square; changes: {renamed}")
    after = cells[index + 1].get_name()
    if focused_cell(grid) != after:
        fail(f"after typing the focused cell is {focused_cell(grid)!r}, not {after!r}")
    if after not in focus_events:
        fail(f"no focus event for the square after the typed one; events: {focus_events}")
    print("focus events:", focus_events)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
