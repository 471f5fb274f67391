#!/bin/bash
# The Windows packages, made by CPack and tried under Wine as a teacher would on a school PC.
#
#   installatore.sh build <build> <dir>   makes the installer and the zip in <build> and checks
#                                         that they hold the 64-bit program and what it loads
#   openbox.sh 1024x768 installatore.sh start <build> <dir>
#                                         in a Wine prefix of its own in <dir>, on the X server
#                                         of openbox.sh: installs silently without administrator
#                                         rights, starts the program from where it installed,
#                                         sees its start screen, types a name and picks a range
#                                         through XTest (Enter held down: one step), plays an
#                                         exercise and prints its list on the default printer,
#                                         closes it, uninstalls, and finds nothing left
#
# Wine's printers are CUPS's: here the queue of a scheduler of the test's own
# (scripts/cups-queue), which writes the page as a PDF, read back with pdftotext.
#
# Exit status 77 (skipped) when a tool is missing; scripts/windows installs them.
set -u

uso() {
    echo "uso: $0 build|start <build> <cartella>" >&2
    exit 2
}
[ $# -eq 3 ] || uso
AZIONE=$1
BUILD=$(realpath "$2")
DIR=$(realpath -m "$3")
NOME=ZEFIRANO-2.0-win64
INSTALLATORE=$BUILD/$NOME.exe

errore() {
    echo "installatore: $*" >&2
    exit 1
}
serve() { # <command> <package>
    if ! command -v "$1" >/dev/null; then
        echo "installatore: manca $1 (pacchetto $2, che scripts/windows installa): salto" >&2
        exit 77
    fi
}

case "$AZIONE" in
build)
    serve makensis nsis
    serve file file
    rm -f "$INSTALLATORE" "$BUILD/$NOME.zip"
    (cd "$BUILD" && cpack -G "NSIS;ZIP" >"$BUILD/cpack-windows.log" 2>&1) ||
        { cat "$BUILD/cpack-windows.log" >&2; errore "cpack non riesce"; }
    # A 32-bit installer would not start on a 64-bit Wine, and say so only by installing nothing.
    file "$INSTALLATORE" | grep -q 'PE32+ executable (GUI) x86-64' ||
        errore "l'installatore non è un programma a 64 bit: $(file -b "$INSTALLATORE")"
    CONTENUTO=$(cmake -E tar tf "$BUILD/$NOME.zip") || errore "lo zip non si apre"
    for f in zefirano.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6PrintSupport.dll \
        platforms/qwindows.dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll \
        qt.conf translations/qtbase_it.qm LICENZA.txt; do
        grep -qx "$NOME/$f" <<<"$CONTENUTO" || errore "manca $f nello zip"
    done
    # A windowed program: Windows opens no console beside it.
    file "$BUILD/zefirano.exe" | grep -q '(GUI) x86-64' ||
        errore "zefirano.exe non è un programma a finestre a 64 bit: $(file -b "$BUILD/zefirano.exe")"
    ;;
start)
    [ -n "${DISPLAY:-}" ] || { echo "installatore: start va eseguito con openbox.sh" >&2; exit 2; }
    for t in "wine wine" "wineserver wine" "xdotool xdotool" \
        "convert imagemagick" "import imagemagick" "cupsd cups" "lpadmin cups-client" \
        "pdftotext poppler-utils"; do
        serve $t
    done
    [ -f "$INSTALLATORE" ] ||
        { echo "installatore: manca $INSTALLATORE (installatore.sh build): salto" >&2; exit 77; }
    rm -rf "$DIR"
    mkdir -p "$DIR"
    export WINEPREFIX=$DIR/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    unset WINEPATH QT_QPA_PLATFORM QT_SCALE_FACTOR QT_PLUGIN_PATH
    CODA=$(dirname "$0")/../scripts/cups-queue
    PID=""
    fine() {
        [ -n "$PID" ] && kill "$PID" 2>/dev/null
        if [ -d "$WINEPREFIX" ]; then
            wineserver -k 2>/dev/null
            # The folder of wineserver's socket, named after the prefix, stays in /tmp.
            presa=server-$(stat -c %D "$WINEPREFIX")-$(printf %x "$(stat -c %i "$WINEPREFIX")")
            for d in /tmp/wine-*/"$presa"; do
                [ -d "$d" ] && rm -rf "$d" && rmdir "${d%/*}" 2>/dev/null
            done
        fi
        "$CODA" stop "$DIR/cups"
        wait 2>/dev/null
        rm -rf "$WINEPREFIX" "$DIR/cups"
    }
    trap fine EXIT
    trap 'exit 130' INT TERM HUP
    "$CODA" start "$DIR/cups" || errore "il gestore di stampa non parte"
    export CUPS_SERVER=$DIR/cups/cups.sock
    wineboot --init >"$DIR/wineboot.log" 2>&1
    wineserver -w

    # Installed silently, for this user alone: the files, the Start menu and "App e funzionalità".
    wine "$INSTALLATORE" /S >"$DIR/installa.log" 2>&1
    wineserver -w
    UTENTE=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Local 2>/dev/null | grep -v /Public/ |
        head -n 1)
    UTENTE=${UTENTE%/AppData/Local}
    INST=$UTENTE/AppData/Local/Programs/ZEFIRANO.2
    MENU="$UTENTE/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/ZEFIRANO.2"
    for f in zefirano.exe Qt6Core.dll platforms/qwindows.dll translations/qtbase_it.qm \
        Disinstalla.exe; do
        [ -s "$INST/$f" ] || errore "l'installatore non ha messo $f in $INST"
    done
    [ -s "$MENU/ZEFIRANO.2.lnk" ] || errore "manca il collegamento nel menu Start"
    CHIAVE='Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZEFIRANO.2'
    grep -A12 -F "[$CHIAVE]" "$WINEPREFIX/user.reg" | grep -q '"UninstallString"' ||
        errore "la disinstallazione non è registrata per l'utente"
    ! grep -qF "[$CHIAVE]" "$WINEPREFIX/system.reg" || errore "installato per tutti gli utenti"

    # Started from where it installed: the start screen, seen by its colours, fills the screen.
    (cd "$INST" && exec wine zefirano.exe) >"$DIR/avvio.log" 2>&1 &
    PID=$!
    finestra() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
    aspetta() { # <title>
        local w
        for _ in $(seq 1 150); do
            w=$(finestra "$1")
            [ -n "$w" ] && echo "$w" && return 0
            kill -0 "$PID" 2>/dev/null || return 1
            sleep 0.2
        done
        return 1
    }
    INIZIO=$(aspetta '^ZEFIRANO\.2') ||
        { cat "$DIR/avvio.log" >&2; errore "la schermata iniziale non compare"; }
    sleep 2
    import -window root "$DIR/inizio.png"
    quota() { # <image> <colour>: the thousandths of the image in that colour
        convert "$1" -fill black +opaque "$2" -fill white -opaque "$2" -format '%[fx:int(mean*1000)]' info:
    }
    for colore in '#C0FFC0' '#00FFFF' '#FFC0FF'; do
        [ "$(quota "$DIR/inizio.png" "$colore")" -ge 5 ] ||
            errore "la schermata iniziale non ha il colore $colore ($DIR/inizio.png)"
    done
    # A name, then a range, from the keyboard. Enter held down, as the X server repeats it, is one
    # press: it takes the name, and leaves the range to the next press, which opens the exercise
    # screen.
    xdotool windowactivate --sync "$INIZIO" 2>/dev/null
    xdotool type --delay 80 Luca
    xdotool keydown Return
    sleep 1.5
    xdotool keyup Return
    sleep 1
    [ -z "$(finestra '^ESERCIZI SULLE ZEFIRANO\.2')" ] ||
        errore "Invio tenuto premuto ha fatto più di un passo: la schermata degli esercizi è aperta"
    xdotool key Return
    ESERCIZI=$(aspetta '^ESERCIZI SULLE ZEFIRANO\.2') ||
        { import -window root "$DIR/esercizi.png"; errore "la schermata degli esercizi non si apre"; }
    sleep 1
    import -window root "$DIR/esercizi.png"

    # An exercise of ten operations, each answered 1 and checked, then its list, opened from the
    # File menu and printed with its button.
    for n in $(seq 1 10); do
        xdotool type --delay 80 1
        sleep 0.3
        xdotool key Return
        sleep 0.7
        if [ "$n" -lt 10 ]; then
            xdotool key Return
            sleep 0.7
        fi
    done
    xdotool mousemove --window "$ESERCIZI" 20 10 click 1
    sleep 1
    xdotool key Down Return
    STAMPA=$(aspetta '^STAMPA DELLE OPERAZIONI') ||
        { import -window root "$DIR/stampa.png"; errore "l'elenco delle operazioni non si apre"; }
    sleep 1
    import -window root "$DIR/stampa.png"
    xdotool windowactivate --sync "$STAMPA" key Tab
    sleep 0.5
    xdotool key Return
    for _ in $(seq 1 100); do
        [ -s "$DIR/cups/out.pdf" ] && break
        sleep 0.2
    done
    "$CODA" wait "$DIR/cups"
    [ -s "$DIR/cups/out.pdf" ] || errore "nessuna pagina dalla stampante predefinita"
    cp "$DIR/cups/out.pdf" "$DIR/stampa.pdf"
    pdftotext "$DIR/stampa.pdf" - | grep -q 'Cognome e nome' ||
        errore "la pagina stampata non è l'elenco delle operazioni ($DIR/stampa.pdf)"

    # Closed as a window is: the list, the exercise screen, then the start screen ends the
    # program, each Alt+F4 more than a second after the last (one sooner is taken for a repeat).
    xdotool windowactivate --sync "$STAMPA" key alt+F4
    sleep 1.5
    xdotool windowactivate --sync "$ESERCIZI" key alt+F4
    sleep 1.5
    xdotool windowactivate --sync "$INIZIO" key alt+F4
    for _ in $(seq 1 50); do
        kill -0 "$PID" 2>/dev/null || break
        sleep 0.2
    done
    ! kill -0 "$PID" 2>/dev/null || errore "il programma non si chiude"
    PID=""

    # Uninstalled, silently: nothing of it is left.
    wine "$INST/Disinstalla.exe" /S >"$DIR/disinstalla.log" 2>&1
    for _ in $(seq 1 100); do
        [ -e "$INST" ] || break
        sleep 0.2
    done
    wineserver -w
    [ ! -e "$INST" ] || errore "la disinstallazione lascia $(ls -R "$INST")"
    [ ! -e "$MENU" ] || errore "la disinstallazione lascia il menu Start"
    ! grep -qF "[$CHIAVE]" "$WINEPREFIX/user.reg" || errore "la disinstallazione lascia il registro"
    ;;
*) uso ;;
esac
