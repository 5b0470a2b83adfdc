#!/usr/bin/env bash
# The game as a screen reader meets it: on a virtual X server with a window
# manager and its own session bus, with the accessibility bus switched on as
# a screen reader switches it on, the game opens a puzzle and
# atspi_check.py inspects it from outside.
#   run.sh <vorlaquince> <puzzle file>
# Skips (exit 77) when Xvfb, openbox, dbus-run-session, xdotool or the
# GObject bindings of AT-SPI are missing.
set -uo pipefail
game=$1 puzzle=$2
here=$(cd "$(dirname "$0")" && pwd)

python=
for py in python3 /usr/bin/python3; do
  if "$py" -c 'import gi; gi.require_version("Atspi", "2.0"); from gi.repository import Atspi' 2>/dev/null; then
    python=$py
    break
  fi
done
[ -n "$python" ] || { echo "run.sh: the AT-SPI GObject bindings are not installed"; exit 77; }
for tool in Xvfb openbox dbus-run-session dbus-send xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "run.sh: $tool is not installed"; exit 77; }
done

# Inside a private session bus from here on.
if [ -z "${VLQ_ACCESS_INNER:-}" ]; then
  VLQ_ACCESS_INNER=1 exec dbus-run-session -- "$0" "$@"
fi

pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; wait 2>/dev/null; }
trap cleanup EXIT

fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 200); do [ -s "$fdfile" ] && break; sleep 0.05; done
d=$(head -n1 "$fdfile")
rm -f "$fdfile"
[ -n "$d" ] || { echo "run.sh: Xvfb did not start"; exit 1; }
export DISPLAY=":$d"
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 200); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done

# What a screen reader does when it starts: the accessibility bus on.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
  org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null ||
  { echo "run.sh: the accessibility bus did not start"; exit 1; }

QT_QPA_PLATFORM=xcb "$game" "$puzzle" &
gamepid=$!
pids+=("$gamepid")
"$python" "$here/atspi_check.py" "$gamepid"
