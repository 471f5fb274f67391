#!/bin/bash
# The Debian package, built by CPack and laid out in a scratch root as dpkg would install it.
#
#   pacchetto.sh build <build> <dir>   builds the package into <dir>, checks its control fields
#                                      and unpacks it into <dir>/radice
#   pacchetto.sh start <build> <dir>   starts the unpacked program on a virtual X server and
#                                      waits for its start screen
#
# Exit status 77 (skipped) when a tool is missing; scripts/setup installs them.
set -u

uso() {
    echo "uso: $0 build|start <build> <cartella>" >&2
    exit 2
}
[ $# -eq 3 ] || uso
AZIONE=$1
BUILD=$(realpath "$2")
DIR=$(realpath -m "$3")
RADICE=$DIR/radice
PROGRAMMA=$RADICE/usr/bin/zefirano

errore() {
    echo "pacchetto: $*" >&2
    exit 1
}

serve() { # <command> <package>
    if ! command -v "$1" >/dev/null; then
        echo "pacchetto: manca $1 (pacchetto $2, che scripts/setup installa): salto" >&2
        exit 77
    fi
}

case "$AZIONE" in
build)
    serve dpkg-deb dpkg
    serve dpkg-shlibdeps dpkg-dev
    rm -rf "$DIR"
    mkdir -p "$DIR"
    (cd "$BUILD" && cpack -G DEB -B "$DIR" >"$DIR/cpack.log" 2>&1) ||
        { cat "$DIR/cpack.log" >&2; errore "cpack non riesce"; }
    DEB=$(ls "$DIR"/zefirano_*.deb 2>/dev/null | head -n 1)
    [ -n "$DEB" ] || errore "cpack non ha fatto il pacchetto"
    [ "$(dpkg-deb -f "$DEB" Section)" = education ] || errore "la sezione non è education"
    # The scan of the shared libraries found Qt's; the rest is named by hand.
    DIPENDE=$(dpkg-deb -f "$DEB" Depends)
    for d in libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins qt6-translations-l10n; do
        grep -q "\b$d\b" <<<"$DIPENDE" || errore "non dipende da $d: $DIPENDE"
    done
    dpkg-deb -x "$DEB" "$RADICE" || errore "dpkg-deb -x non riesce"
    for f in usr/bin/zefirano \
        usr/share/applications/org.example.zefirano.desktop \
        usr/share/metainfo/org.example.zefirano.metainfo.xml \
        usr/share/icons/hicolor/scalable/apps/zefirano.svg; do
        [ -s "$RADICE/$f" ] || errore "manca /$f nel pacchetto"
    done
    [ -x "$PROGRAMMA" ] || errore "il programma non è eseguibile"
    # The licence, as Debian's policy wants it stated: machine-readable, every file covered.
    COPYRIGHT=$RADICE/usr/share/doc/zefirano/copyright
    head -n 1 "$COPYRIGHT" 2>/dev/null |
        grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
        errore "manca /usr/share/doc/zefirano/copyright nel formato leggibile dalle macchine"
    grep -qx 'Files: \*' "$COPYRIGHT" && grep -qx 'License: GPL-3+' "$COPYRIGHT" ||
        errore "/usr/share/doc/zefirano/copyright non dà la licenza GPL-3+ a tutti i file"
    ;;
start)
    serve Xvfb xvfb
    serve xwininfo x11-utils
    if [ ! -x "$PROGRAMMA" ]; then
        echo "pacchetto: il pacchetto non è stato aperto in $RADICE (pacchetto.sh build): salto" >&2
        exit 77
    fi
    # A server of our own on the first free display, which it picks and tells itself, so that
    # other servers starting at the same time cannot take it.
    rm -f "$DIR/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$DIR/display" 2>"$DIR/xvfb.log" &
    XVFB=$!
    PID=""
    trap 'kill $PID $XVFB 2>/dev/null; wait' EXIT
    for _ in $(seq 1 100); do
        [ -s "$DIR/display" ] && break
        kill -0 "$XVFB" 2>/dev/null || { cat "$DIR/xvfb.log" >&2; errore "Xvfb non parte"; }
        sleep 0.1
    done
    [ -s "$DIR/display" ] || errore "Xvfb non dice il suo display"
    export DISPLAY=":$(head -n 1 "$DIR/display")"

    # The start screen, maximised on the virtual screen, within ten seconds; then the program
    # must still be running two seconds later.
    env -u QT_SCALE_FACTOR QT_QPA_PLATFORM=xcb "$PROGRAMMA" >"$DIR/avvio.log" 2>&1 &
    PID=$!
    TROVATA=""
    for _ in $(seq 1 50); do
        TROVATA=$(xwininfo -root -tree 2>/dev/null | grep '"ZEFIRANO.2 .*1024x768')
        [ -n "$TROVATA" ] && break
        kill -0 "$PID" 2>/dev/null || break
        sleep 0.2
    done
    [ -n "$TROVATA" ] || { cat "$DIR/avvio.log" >&2; errore "la schermata iniziale non compare"; }
    echo "$TROVATA"
    sleep 2
    kill -0 "$PID" 2>/dev/null || { cat "$DIR/avvio.log" >&2; errore "il programma si è chiuso"; }
    ;;
*) uso ;;
esac
