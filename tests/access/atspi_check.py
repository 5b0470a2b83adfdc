"""The running game as a screen reader sees it through the AT-SPI bus: every
letter square a named cell, every toolbar button named, every clue line named
from its clue letter, and the focus and the names (the square's and its clue
line's) following a click and a typed letter in the grid. Then, with the solving
aids switched on and the puzzle opened again by keys alone: the focus on a
grid cell after opening, on a named cell of the answer window after
Ctrl+Enter, Check Letter heard on a wrong letter, and Down in the clue list
reading the next clue without opening the answer window.
Usage: atspi_check.py <pid of the game> <path of its puzzle>"""
import os
import re
import shutil
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

failures, focused, renamed, described = [], [], [], []


def check(ok, text):
    if not ok:
        failures.append(text)
        print("FAIL:", text)


def walk(node):
    yield node
    for i in range(node.get_child_count()):
        if (child := node.get_child_at_index(i)) is not None:
            yield from walk(child)


def find(root, role, name=None):
    for _ in range(100):
        for node in walk(root):
            if node.get_role_name() == role and name in (None, node.get_name()):
                return node
        time.sleep(0.2)
    sys.exit(f"FAIL: no {role} {name or ''}")


def pump_until(ready, seconds):
    """Events are taken in until ready() or the time is up."""
    for _ in range(int(seconds * 4)):
        if ready():
            return
        pump(0.25)


def pump(seconds):
    loop = GLib.MainLoop()
    GLib.timeout_add(int(seconds * 1000), loop.quit)
    loop.run()


def main():
    pid = int(sys.argv[1])
    desktop = Atspi.get_desktop(0)
    app = None
    for _ in range(150):
        apps = [desktop.get_child_at_index(i) for i in range(desktop.get_child_count())]
        app = next((a for a in apps if a is not None and a.get_process_id() == pid), None)
        if app:
            break
        time.sleep(0.2)
    if app is None:
        sys.exit("FAIL: the game never appeared on the accessibility bus")

    grid = find(app, "table", "Quotation grid")
    cells = [grid.get_child_at_index(i) for i in range(grid.get_child_count())]
    names = [c.get_name() for c in cells]
    check(len(cells) == grid.get_n_rows() * grid.get_n_columns() > 0, f"{len(cells)} cells in the grid")
    letter = re.compile(r"^\d+( [A-Za-z]+)?, row \d+, column \d+, ([A-Z]|empty)$")
    other = re.compile(r"^row \d+, column \d+, (black square|apostrophe|hyphen)$")
    for c, n in zip(cells, names):
        check(c.get_role_name() == "table cell" and (letter.match(n) or other.match(n)), f"grid cell {n!r}")

    buttons = [n for n in walk(find(app, "tool bar")) if n.get_role_name() == "push button"]
    check(len(buttons) == 10 and all(b.get_name() for b in buttons), f"toolbar: {[b.get_name() for b in buttons]}")

    lines = [n for n in walk(find(app, "list")) if n.get_role_name() == "list item"]
    labels = [chr(64 + k) if k <= 26 else chr(70 + k) * 2 for k in range(1, len(lines) + 1)]
    check(lines and all(n.get_name().startswith(lab + ". ") for n, lab in zip(lines, labels)), "clue line names")

    # A click on the first of two empty squares side by side, then a letter.
    listeners = [Atspi.EventListener.new(lambda e: e.detail1 and focused.append(e.source.get_name())),
                 Atspi.EventListener.new(lambda e: renamed.append(e.source.get_name()))]
    listeners[0].register("object:state-changed:focused")
    listeners[1].register("object:property-change:accessible-name")
    at = next(i for i in range(len(names) - 1) if names[i].endswith("empty") and names[i + 1].endswith("empty"))
    box = cells[at].get_extents(Atspi.CoordType.SCREEN)
    subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2), "click", "1"])
    pump(1.5)
    check(names[at] in focused, f"no focus on the clicked square; focus events: {focused}")
    subprocess.run(["xdotool", "key", "q"])
    pump(1.5)
    typed = cells[at].get_name()
    check(typed.endswith(", Q") and typed in renamed, f"typed square {typed!r}, renamed: {renamed}")
    # Its clue line, one letter fuller, says so too.
    label = re.match(r"^\d+ ([A-Za-z]+),", typed)
    check(label and any(n.startswith(label.group(1) + ". ") and n.endswith(" filled") for n in renamed),
          f"no new name for the clue line of {typed!r}; renamed: {renamed}")
    check(cells[at + 1].get_state_set().contains(Atspi.StateType.FOCUSED) and names[at + 1] in focused,
          f"no focus on the square after the typed one; focus events: {focused}")
    print(f"{len(cells)} cells, {len(buttons)} buttons, {len(lines)} clue lines; focus: {focused}")
    check_aids()
    return 1 if failures else 0


def key(*keys):
    subprocess.run(["xdotool", "key", "--delay", "100", *keys])
    pump(1.0)


def check_aids():
    """The keyboard and the speech with the aids on, from the opening on."""
    listener = Atspi.EventListener.new(lambda e: described.append(e.source.get_description()))
    listener.register("object:property-change:accessible-description")
    key("alt+o", "i")
    # Opened again by keys alone: the focus lands on a grid cell.
    # A second copy of the puzzle, the first one being open.
    again = os.path.join(os.path.dirname(sys.argv[2]), "Again.vlq")
    shutil.copyfile(sys.argv[2], again)
    key("ctrl+o")
    subprocess.run(["xdotool", "type", "--delay", "20", again])
    pump(1.0)  # the file box's completion settles
    key("Return")
    pump(3.0)
    # Back to the first puzzle through the recent list (its second entry).
    focused.clear()
    key("alt+p", "2")
    cell = re.compile(r"^\d+( [A-Za-z]+)?, row \d+, column \d+, ([A-Z]|empty)$")
    pump_until(lambda: focused and cell.match(focused[-1] or ""), 10)
    check(focused and cell.match(focused[-1] or ""), f"after opening the focus is not on a grid cell: {focused}")
    # Ctrl+Enter: the answer window's cell under its cursor has the focus.
    focused.clear()
    key("ctrl+Return")
    pump(1.0)
    answer = re.compile(r"^\d+ of \d+, square \d+, ([A-Z]|empty)")
    check(focused and answer.match(focused[-1] or ""), f"no focus on an answer cell: {focused}")
    # A letter typed, taken back to, checked: one of Q and Z is wrong.
    heard = False
    for letter in ("q", "z"):
        renamed.clear()
        key(letter, "Left", "ctrl+k")
        heard = any("checked wrong" in (n or "") for n in renamed + described)
        if heard:
            break
    check(heard, f"Check Letter not heard; renamed {renamed}, described {described}")
    # Escape, then F6 to the strip and to the clue list; Down reads the next clue.
    key("Escape", "F6", "F6")
    focused.clear()
    key("Down")
    check(focused and re.match(r"^[A-Za-z]+\. .*letters?:", focused[-1] or ""), f"Down read no clue: {focused}")
    check(not any(answer.match(f or "") for f in focused), f"Down opened the answer window: {focused}")


if __name__ == "__main__":
    sys.exit(main())
