#!/bin/bash
# What `cmake --install` lays down, and whether a desktop takes it.
#
#   installazione.sh files    <build> <root>   installs into <root>; the program, the menu entry,
#                                              the icon and the metadata are there
#   installazione.sh desktop  <build> <root>   the installed menu entry is valid and launches
#                                              the installed program with its icon
#   installazione.sh metainfo <build> <root>   the installed AppStream metadata is valid and
#                                              names the menu entry
#
# Exit status 77 (skipped) when a validator is not installed; scripts/setup installs them.
set -u

uso() {
    echo "uso: $0 files|desktop|metainfo <build> <radice>" >&2
    exit 2
}
[ $# -eq 3 ] || uso
AZIONE=$1
BUILD=$2
RADICE=$3

ID=org.example.zefirano
DESKTOP=$RADICE/share/applications/$ID.desktop
METAINFO=$RADICE/share/metainfo/$ID.metainfo.xml
ICONA=$RADICE/share/icons/hicolor/scalable/apps/zefirano.svg
PROGRAMMA=$RADICE/bin/zefirano

errore() {
    echo "installazione: $*" >&2
    exit 1
}

serve() { # <command> <package>
    if ! command -v "$1" >/dev/null; then
        echo "installazione: manca $1 (pacchetto $2, che scripts/setup installa): salto" >&2
        exit 77
    fi
}

campo() { # <key>: its value in the [Desktop Entry] group
    sed -n '/^\[Desktop Entry\]/,/^\[/{s/^'"$1"'=//p}' "$DESKTOP"
}

uguale() { # <what> <found> <expected>
    [ "$2" = "$3" ] || errore "$1: «$2», atteso «$3»"
}

case "$AZIONE" in
files)
    rm -rf "$RADICE"
    cmake --install "$BUILD" --prefix "$RADICE" >/dev/null || errore "cmake --install non riesce"
    [ -x "$PROGRAMMA" ] || errore "manca il programma $PROGRAMMA"
    for f in "$DESKTOP" "$METAINFO" "$ICONA"; do
        [ -s "$f" ] || errore "manca $f"
    done
    ;;
desktop)
    serve desktop-file-validate desktop-file-utils
    desktop-file-validate "$DESKTOP" || errore "la voce di menu non è valida"
    uguale Name "$(campo Name)" "ZEFIRANO.2"
    uguale Categories "$(campo Categories)" "Education;Math;"
    uguale Exec "$(campo Exec)" "zefirano"
    uguale Icon "$(campo Icon)" "zefirano"
    [ -n "$(campo Comment)" ] || errore "la voce di menu non ha un commento"
    [ -x "$RADICE/bin/$(campo Exec)" ] || errore "Exec non è il programma installato"
    [ -s "$RADICE/share/icons/hicolor/scalable/apps/$(campo Icon).svg" ] ||
        errore "Icon non è l'icona installata"
    ;;
metainfo)
    serve appstreamcli appstream
    appstreamcli validate --no-net "$METAINFO" || errore "i metadati AppStream non sono validi"
    grep -q "<id>$ID</id>" "$METAINFO" || errore "l'id non è $ID"
    grep -q "<launchable type=\"desktop-id\">$ID.desktop</launchable>" "$METAINFO" ||
        errore "i metadati non lanciano $ID.desktop"
    grep -q '<screenshot type="default">' "$METAINFO" || errore "nessuna schermata"
    ;;
*) uso ;;
esac
