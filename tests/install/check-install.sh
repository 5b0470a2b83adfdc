#!/usr/bin/env bash
# Installs the build tree into a scratch DESTDIR and checks what a player's
# system receives: the desktop files pass their validators, every installed
# sample passes the installed vlqtool, and the installed game, which finds its
# data folder from its own place, opens a sample from it on the offscreen
# platform and ends cleanly on SIGTERM (as at a logout).
#   check-install.sh BUILD_DIR SCRATCH_DIR
set -euo pipefail
build="$1"
scratch="$2"
rm -rf "$scratch"
mkdir -p "$scratch/home"
# Never the real player's documents or settings.
# A runtime folder of its own too: a game already running in the session
# would be handed the sample instead of opening it.
mkdir -m 700 "$scratch/home/runtime"
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" XDG_DATA_HOME="$scratch/home/.local/share"
export XDG_RUNTIME_DIR="$scratch/home/runtime"
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >"$scratch/install.log"
usr="$scratch/root/usr"
share="$usr/share/vorlaquince"
id=org.marlowick.Vorlaquince

desktop-file-validate "$usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" >/dev/null
xmllint --noout "$usr/share/mime/packages/$id.xml" "$usr/share/metainfo/$id.metainfo.xml" \
  "$usr/share/icons/hicolor/scalable/apps/$id.svg"
# The file types compile into a MIME database, upper-case extensions included.
cp -r "$usr/share/mime" "$scratch/mime"
update-mime-database "$scratch/mime"
grep -qx '50:application/x-vorlaquince:\*\.vlq' "$scratch/mime/globs2" || fail "no *.vlq glob"
for ext in jpz apz ipuz; do grep -q ":\*\.$ext\$" "$scratch/mime/globs2" || fail "no *.$ext glob"; done
for size in 16 22 24 32 48 64 128 256; do
  file "$usr/share/icons/hicolor/${size}x$size/apps/$id.png" | grep -q "PNG image data, $size x $size" \
    || fail "icon ${size}x$size"
done
for page in man6/vorlaquince.6.gz man1/vlqtool.1.gz; do
  gzip -dc "$usr/share/man/$page" | grep -q '^\.TH ' || fail "manual page $page"
done

[ -s "$share/Vorlaquince6Game.qch" ] || fail "no help file installed"

# The installed vlqtool accepts every installed sample.
shopt -s nullglob
samples=("$share"/puzzles/*.vlq)
[ ${#samples[@]} -ge 8 ] || fail "only ${#samples[@]} samples installed"
"$usr/bin/vlqtool" check "${samples[@]}"

# The command line answers without a display.
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$usr/bin/vorlaquince" --version | grep -qx 'vorlaquince 6\.0' \
  || fail "--version"
env -u DISPLAY QT_QPA_PLATFORM= "$usr/bin/vorlaquince" --help | grep -q 'puzzle' || fail "--help"
status=0
QT_QPA_PLATFORM=offscreen "$usr/bin/vorlaquince" --no-such-option 2>"$scratch/usage.txt" || status=$?
[ "$status" -eq 2 ] && grep -q 'no-such-option' "$scratch/usage.txt" || fail "unknown option gave $status"

# The installed game opens a sample straight from the installed data folder.
export QT_QPA_PLATFORM=offscreen
sample="${samples[0]}"
name="$(basename "$sample" .vlq)"
"$usr/bin/vorlaquince" "$scratch/missing.vlq" "$sample" &
pid=$!
settings="$XDG_CONFIG_HOME/Marlowick32/Vorlaquince6Game.reg"
for _ in $(seq 300); do
  if [ -f "$settings" ] && grep -q "CurrentPuzzle.*$name" "$settings"; then break; fi
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
grep -q "CurrentPuzzle.*$name" "$settings" || { kill -KILL "$pid"; fail "the game did not open $sample"; }
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "the game ended with $status"
# Its first start gave the player the installed samples.
copied=("$HOME"/Documents/Marlowick/Puzzles/*.vlq)
[ ${#copied[@]} -eq ${#samples[@]} ] || fail "${#copied[@]} samples copied, ${#samples[@]} installed"
echo "install check: ${#samples[@]} samples installed and checked"
