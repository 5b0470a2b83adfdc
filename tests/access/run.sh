#!/usr/bin/env bash
# The game as a screen reader meets it: Xvfb, openbox and a private session
# bus with the accessibility bus switched on (as a screen reader does); the
# game opens a puzzle and atspi_check.py inspects it from outside.
#   run.sh <vorlaquince> <puzzle file>
# Skips (77) without Xvfb, openbox, dbus, xdotool or the AT-SPI bindings.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
python=
for py in python3 /usr/bin/python3; do
  "$py" -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null && { python=$py; break; }
done
[ -n "$python" ] || { echo "run.sh: no AT-SPI bindings for Python"; exit 77; }
for tool in Xvfb openbox dbus-run-session dbus-send xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "run.sh: $tool is not installed"; exit 77; }
done
[ -n "${VLQ_ACCESS_BUS:-}" ] || VLQ_ACCESS_BUS=1 exec dbus-run-session -- "$0" "$@"

pids=()
copy=$(mktemp -d)
# Last started, first ended, each waited for: the game ends (saving its
# letter) while its display is still there.
trap 'for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; wait "${pids[i]}" 2>/dev/null; done; rm -rf "$copy"' EXIT
# Recovery copies of this run's own: none left by another run is offered.
export XDG_DATA_HOME="$copy/data"
# Settings of its own too: the run starts with the aids off.
export XDG_CONFIG_HOME="$copy/config"
fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 200); do [ -s "$fdfile" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$fdfile")"
rm -f "$fdfile"
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 200); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.05; done
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
  string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null || { echo "run.sh: no accessibility bus"; exit 1; }
# A copy in a scratch folder: the game saves the typed letter when it is ended.
cp "$2" "$copy/" || exit 1
QT_QPA_PLATFORM=xcb "$1" "$copy/$(basename "$2")" &
pids+=($!)
"$python" "$here/atspi_check.py" "$!" "$copy/$(basename "$2")"
