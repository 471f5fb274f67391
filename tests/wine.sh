#!/bin/bash
# Runs a test program built for Windows under Wine, for CTest (CMAKE_CROSSCOMPILING_EMULATOR):
#
#   wine.sh <program.exe> [arguments...]
#
# QtTest writes its report to a file, which is shown here: what the program writes to Wine's
# console does not reach CTest. The Wine prefix, the display and the folders Wine finds Qt's
# libraries in (WINEPREFIX, DISPLAY, WINEPATH) come from scripts/windows.
set -u
[ $# -ge 1 ] || { echo "uso: $0 <programma.exe> [argomenti...]" >&2; exit 2; }
PROGRAMMA=$1
shift
# Wine keeps Qt's variables (QT_QPA_PLATFORM, QT_SCALE_FACTOR...) of Linux programs away from
# Windows programs, and hands them over when named WINEQT_...
for v in $(compgen -e QT_); do
    export "WINE$v=${!v}"
done
RAPPORTO=$(mktemp --suffix=.txt)
trap 'rm -f "$RAPPORTO"' EXIT
# Z: is the root of the Linux file system, as Wine maps it.
wine "$PROGRAMMA" -o "Z:${RAPPORTO//\//\\},txt" "$@" >/dev/null 2>&1
rc=$?
cat "$RAPPORTO"
exit $rc
