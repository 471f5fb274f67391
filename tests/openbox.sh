#!/bin/bash
# Runs a command on a virtual X server of the given size with openbox managing its windows, as a
# desktop frames them.
#
#   openbox.sh <W>x<H> <command...>
#
# Exit status: the command's; 77 (skipped) when Xvfb or openbox is missing.
set -u
[ $# -ge 2 ] || { echo "uso: $0 <L>x<A> <comando...>" >&2; exit 2; }
DIMENSIONE=$1
shift
for serve in Xvfb openbox; do
    command -v "$serve" >/dev/null ||
        { echo "openbox.sh: manca $serve (scripts/setup lo installa): salto" >&2; exit 77; }
done

CARTELLA=$(mktemp -d)
XVFB="" WM=""
trap 'kill $WM $XVFB 2>/dev/null; wait; rm -rf "$CARTELLA"' EXIT
trap 'exit 143' TERM INT HUP
# The first free display, which the server picks and tells.
Xvfb -displayfd 3 -screen 0 "${DIMENSIONE}x24" -nolisten tcp -noreset 3>"$CARTELLA/display" \
    2>"$CARTELLA/xvfb.log" &
XVFB=$!
for _ in $(seq 1 100); do
    [ -s "$CARTELLA/display" ] && break
    sleep 0.1
done
[ -s "$CARTELLA/display" ] || { cat "$CARTELLA/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$CARTELLA/display")"
# openbox's own defaults, whatever the user has configured, and its log kept here.
HOME="$CARTELLA" XDG_CONFIG_HOME="$CARTELLA" XDG_CACHE_HOME="$CARTELLA" openbox --sm-disable 2>"$CARTELLA/openbox.log" &
WM=$!
# Managing the screen, openbox makes a window named after itself.
for _ in $(seq 1 100); do
    xwininfo -root -children 2>/dev/null | grep -q '"Openbox"' && break
    sleep 0.1
done
env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$CARTELLA" "$@"
