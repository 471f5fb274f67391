#!/usr/bin/env python3
"""What a screen reader hears after a check, on a real X server and the real accessibility bus.

    dbus-run-session -- python3 ascolto.py <program>

Starts its own Xvfb (on a display it picks) with openbox and the AT-SPI bus, starts the program
with its accessibility on, and plays the keyboard through XTest: a name, Enter, Enter on the first
range, then a right answer and Enter, Enter for the next operation, a wrong answer and Enter. No
key is pressed after a check: what the listener receives from then on must say the verdict,
"Esatto" or "Errato", together with the button the focus goes to.

The operation is read as a screen reader reads it, from the answer box that has the focus.
Exit status 0: heard; 1: not heard (what was heard is printed); 77: a tool is missing.
"""

import os
import shutil
import signal
import subprocess
import sys
import threading
import time

try:
    import pyatspi
    from gi.repository import GLib
except ImportError:
    print("ascolto: python3-pyatspi is missing: skipped")
    sys.exit(77)

BUS = next((p for p in ("/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher")
            if os.access(p, os.X_OK)), None)
for tool in ("Xvfb", "openbox", "xdotool"):
    if not shutil.which(tool):
        print(f"ascolto: {tool} is missing: skipped")
        sys.exit(77)
if not BUS or not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
    print("ascolto: no AT-SPI bus launcher or no session bus (run under dbus-run-session): skipped")
    sys.exit(77)

heard = []  # (time, event, name, description)
lock = threading.Lock()


def listen(event):
    try:
        source = event.source
        application = source.getApplication()
        if not application or "zefirano" not in (application.name or "").lower():
            return
        with lock:
            heard.append((time.monotonic(), event.type, source.name or "", source.description or ""))
    except Exception:  # an object gone by the time it is asked
        pass


def since(moment):
    with lock:
        return [h for h in heard if h[0] >= moment]


def key(*names):
    subprocess.run(["xdotool", "key", "--clearmodifiers", *names], check=True)
    time.sleep(0.3)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "60", text], check=True)
    time.sleep(0.3)


def answer(sentence):
    """The missing number of a sentence such as "7 più ? uguale 12" or "? uguale 7 più 5"."""
    words = sentence.replace("più", "+").replace("uguale", "=").split()
    numbers = [int(w) for w in words if w.isdigit()]
    equals, unknown = words.index("="), words.index("?")
    side = words[:equals] if unknown < equals else words[equals + 1:]
    return str(sum(numbers) if len(side) == 1 else max(numbers) - min(numbers))


def sentence_after(moment):
    for _, kind, name, description in reversed(since(moment)):
        if "focus" in kind and "più" in description:
            return description
    return None


def heard_after_check(moment, verdict):
    return any("focus" in kind and description == verdict and name
               for _, kind, name, description in since(moment))


def play(program, result):
    try:
        time.sleep(4)
        start = time.monotonic()
        type_text("Ada")
        key("Return")  # the name; the focus goes to the first range
        key("Return")  # the range: the exercise screen opens on its first operation
        time.sleep(2)
        for verdict in ("Esatto", "Errato"):
            sentence = sentence_after(start)
            if not sentence:
                result.append("no operation was heard")
                return
            given = answer(sentence) if verdict == "Esatto" else "0"  # no operation's answer is 0
            type_text(given)
            checked = time.monotonic()
            key("Return")
            time.sleep(2)  # no key from here on: what arrives now is what the child hears
            if not heard_after_check(checked, verdict):
                result.append(f'after "{sentence}", answered {given}: no "{verdict}" heard; '
                              f"heard {since(checked)}")
                return
            print(f'after "{sentence}", answered {given}: heard "{verdict}"')
            start = time.monotonic()
            key("Return")  # the next operation
            time.sleep(2)
        result.append("ok")
    finally:
        pyatspi.Registry.stop()


def main():
    program = os.path.abspath(sys.argv[1])
    reading, writing = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(writing), "-screen", "0", "1024x768x24",
                             "-nolisten", "tcp"], pass_fds=(writing,), stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    os.close(writing)
    display = os.read(reading, 16).decode().strip()
    os.environ["DISPLAY"] = f":{display}"
    quiet = dict(stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # The bus launcher starts the accessibility bus and its registry: a group of their own, ended
    # together, so that none outlives the test.
    bus = subprocess.Popen([BUS, "--launch-immediately"], start_new_session=True, **quiet)
    others = [subprocess.Popen(["openbox"], **quiet), bus]
    time.sleep(1)
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    environment.pop("QT_SCALE_FACTOR", None)
    zefirano = subprocess.Popen([program], env=environment, **quiet)
    result = []
    try:
        pyatspi.Registry.registerEventListener(
            listen, "object:state-changed:focused", "object:property-change:accessible-description")
        threading.Thread(target=play, args=(program, result), daemon=True).start()
        GLib.timeout_add_seconds(60, pyatspi.Registry.stop)
        pyatspi.Registry.start()
    finally:
        os.killpg(bus.pid, signal.SIGKILL)
        for process in [zefirano, *reversed(others), xvfb]:
            process.kill()
            process.wait()
    if result != ["ok"]:
        print("ascolto:", result[0] if result else "timed out")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
