#!/usr/bin/env python3
"""What a blind child hears of a whole sitting, from Orca itself, on a real X server.

    dbus-run-session -- python3 ascolto.py <program>

Starts its own Xvfb (on a display it picks) with openbox, the AT-SPI bus and Orca, whose speech
it reads from Orca's debug output; then the program, with its accessibility on. Every key is one
quick XTest tap, and every step waits for what Orca says, never for a fixed time:

- the activity list, changed with Down, Down, Up, Down: each new activity heard;
- the menus: F10 and Alt+F open "File", Right goes on to "?", and no menu entry is heard unnamed;
- a name and a range, then the forty operations of a sitting, each read from what Orca says when
  the focus comes to the answer, answered (every fourth one wrong) and checked: each verdict heard
  before the next key, the fortieth before or with the end-of-sitting box, and with no word of a
  control the focus only passes through;
- Yes: the list of operations, whose lines the arrow keys reach from the focused list;
- the certificate: the name, the count and the grade heard when it opens; "FINE SESSIONE" ends
  the program.

Every process it starts ends on every path; HOME, the caches and the runtime folder of the
processes it starts are a folder of its own, removed at the end.
Exit status 0: all heard; 1: something was not heard (the transcript is printed); 77: a tool is
missing.
"""

import codecs
import ctypes
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import tty

BUS = next((p for p in ("/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher")
            if os.access(p, os.X_OK)), None)
for tool in ("Xvfb", "openbox", "xdotool", "orca"):
    if not shutil.which(tool):
        print(f"ascolto: {tool} is missing: skipped")
        sys.exit(77)
# The debug output read here is Orca 43's (Debian 12). Orca 48 (Debian 13) stamps every line with
# the time and logs each utterance with a blank before its voice, as 43 logs a key echo: until
# its output is read too, the test says so and is skipped there.
ORCA = subprocess.run(["orca", "--version"], capture_output=True, text=True).stdout
VERSION = re.search(r"(\d+)\.\d+", ORCA)
if not VERSION or int(VERSION[1]) > 44:
    print(f"ascolto: {ORCA.strip() or 'orca --version says nothing'}: its debug output is not "
          "the one this test reads (Orca 43, Debian 12): skipped")
    sys.exit(77)
if not BUS or not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
    print("ascolto: no AT-SPI bus launcher or no session bus (run under dbus-run-session): skipped")
    sys.exit(77)

WAIT = 30  # seconds Orca may take to say one step on a busy machine
# What Orca says, and the focus events it receives (detail1 1: the focus comes; 0: it leaves).
LOGGED = re.compile(r"SPEECH OUTPUT: '(?P<said>.*?)'(?: voice=\w+)?(?P<echo>\s?)\{"
                    r"|EVENT MANAGER: object:state-changed:focused for \[[^|\]]* \| (?P<focus>[^\]]*)\]"
                    r" in \[application \| zefirano\] \((?P<detail1>\d)", re.S)


class Failed(Exception):
    pass


class Orca:
    """What Orca has said so far, read from its debug output; keys echoed are left out.

    Orca writes its debug output through a buffer that it flushes line by line only to a
    terminal: it writes to a pseudo-terminal, which a thread of ours drains as it comes."""

    def __init__(self):
        # What was said, and in `focus` the controls that took the focus, each with the number
        # of utterances said before it.
        self.heard, self.focus, self._text, self._lock = [], [], "", threading.Lock()
        self._master, self._slave = os.openpty()
        tty.setraw(self._slave)
        self.path = os.ttyname(self._slave)
        threading.Thread(target=self._drain, daemon=True).start()

    def _drain(self):
        decoder = codecs.getincrementaldecoder("utf-8")("replace")
        while True:
            try:
                chunk = os.read(self._master, 65536)
            except OSError:
                return
            if not chunk:
                return
            with self._lock:
                self._text += decoder.decode(chunk)

    def close(self):
        os.close(self._slave)
        os.close(self._master)

    def poll(self):
        with self._lock:
            text = self._text
            end = 0
            for match in LOGGED.finditer(text):
                end = match.end()
                if match["focus"] is not None:
                    if match["detail1"] == "1":
                        self.focus.append((len(self.heard), match["focus"]))
                elif not match["echo"]:  # a key echo is logged with a blank before its voice
                    self.heard.append(" ".join(match["said"].split()))
            self._text = text[end:]

    def focused(self, since, until=None):
        """The controls that took the focus while the utterances since..until were said."""
        return [name for said, name in self.focus
                if said >= since and (until is None or said <= until)]

    def until(self, condition, seconds):
        deadline = time.monotonic() + seconds
        while not condition():
            if time.monotonic() > deadline:
                return False
            time.sleep(0.05)
            self.poll()
        return True

    def mark(self):
        self.poll()
        return len(self.heard)

    def wait(self, since, what, seconds=WAIT):
        """The index of the first utterance from `since` on that `what` matches, or None."""
        test = what if callable(what) else (lambda said: re.search(what, said))
        deadline = time.monotonic() + seconds
        while True:
            self.poll()
            for i in range(since, len(self.heard)):
                if test(self.heard[i]):
                    return i
            if time.monotonic() > deadline:
                return None
            time.sleep(0.05)

    def expect(self, since, what, step, seconds=WAIT):
        found = self.wait(since, what, seconds)
        if found is None:
            raise Failed(f"{step}: nothing matching {what!r} heard; heard {self.heard[since:]}")
        return found


def key(*names):
    subprocess.run(["xdotool", "key", "--clearmodifiers", *names], check=True)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "40", text], check=True)


def answer(sentence):
    """The answer to a sentence such as "7 più ? uguale 12", "? uguale 7 più 5" or "7 più 5 ? 12"."""
    words = sentence.split()
    if "uguale" in words:
        numbers = [int(w) for w in words if w.isdigit()]
        equals, unknown = words.index("uguale"), words.index("?")
        side = words[:equals] if unknown < equals else words[equals + 1:]
        return str(sum(numbers) if len(side) == 1 else max(numbers) - min(numbers))
    unknown = words.index("?")
    left = sum(int(w) for w in words[:unknown] if w.isdigit())
    right = sum(int(w) for w in words[unknown + 1:] if w.isdigit())
    return "=" if left == right else ("<" if left < right else ">")


SIGN_KEYS = {"=": "equal", "<": "less", ">": "greater"}
OPERATION = re.compile(r"(?:^|\. )((?:\d+|\?) (?:più|\?|uguale) .*?(?:\d+|\?))(?:\.|$)")
GRADES = ((9, "OTTIMO"), (8, "DISTINTO"), (7, "BUONO"), (6, "SUFFICIENTE"), (5, "SUFFICIENTE (!)"))


def operation_heard(said):
    match = OPERATION.search(said)
    return match.group(1) if match and "?" in match.group(1) else None


def sitting(orca, failures):
    """Plays the whole sitting; a fault that leaves the child stranded raises Failed, the others
    are collected in failures."""
    start = orca.mark()
    orca.expect(start, r"Il tuo nome", "start")

    # The activity list, with the arrow keys: each change said.
    type_text("Ada")
    heard = orca.mark()
    key("Tab")
    orca.expect(heard, r"Attività|combo box", "Tab to the activity list")
    for arrow, activity in (("Down", "Calcolo del segno"), ("Down", "Calcolo dei numero"),
                            ("Up", "Calcolo del segno"), ("Down", "Calcolo dei numero")):
        heard = orca.mark()
        key(arrow)
        if orca.wait(heard, activity, 10) is None:
            failures.append(f"{arrow} on the activity list: {activity!r} not heard; "
                            f"heard {orca.heard[heard:]}")

    # The menus as on any desktop: Alt+F and then Right to the next menu, "?", passing the entry
    # with no caption by; F10. With a screen reader on, Qt holds each key until the reader has
    # seen it, and a menu just opened may close again on the key's late release: a step is
    # tried three times before it counts as not heard.
    activity = orca.focused(0)[-1]

    def menu(keys, step):
        heard = orca.mark()
        key(keys)
        opened = orca.wait(heard, r"^File\b|\bEsci\b", 10) is not None
        reached = True
        if opened and step == "Alt+F":
            heard = orca.mark()
            key("Right")
            reached = orca.until(lambda: "Autore" in orca.focused(heard), 10)
        # Escape closes the menu, Escape again leaves the menu bar: back on the activity list.
        left = orca.mark()
        key("Escape")
        key("Escape")
        orca.until(lambda: orca.focused(left)[-1:] == [activity], 10)
        return opened, reached

    for keys, step in (("alt+f", "Alt+F"), ("F10", "F10")):
        heard = orca.mark()
        tries = []
        while len(tries) < 3 and not (tries and all(tries[-1])):
            tries.append(menu(keys, step))
        if not any(opened for opened, _ in tries):
            failures.append(f"{step}: the File menu not heard; heard {orca.heard[heard:]}")
        elif not any(opened and reached for opened, reached in tries):
            failures.append(f'{step}, Right: the menu "?" not reached; heard {orca.heard[heard:]}')
    heard = orca.mark()
    key("shift+Tab")
    orca.expect(heard, r"Il tuo nome", "back to the name")

    heard = orca.mark()
    key("Return")
    orca.expect(heard, r"Numero max da 1 a 10", "the name accepted")
    heard = orca.mark()
    key("Return")

    right, answers = 0, []
    for n in range(1, 41):
        found = orca.expect(heard, operation_heard, f"operation {n}")
        sentence = operation_heard(orca.heard[found])
        solution = answer(sentence)
        wrong = n % 4 == 0
        if solution in SIGN_KEYS:
            given = next(s for s in SIGN_KEYS if s != solution) if wrong else solution
            heard = orca.mark()
            key(SIGN_KEYS[given])
            orca.expect(heard, r"Verifica", f"operation {n}, the sign picked")
        else:
            given = "0" if wrong else solution  # no operation's answer is 0
            type_text(given)
        right += not wrong
        answers.append(given)
        verdict = "Errato" if wrong else "Esatto"
        heard = orca.mark()
        key("Return")
        found = orca.wait(heard, r"\b(Esatto|Errato)\b")
        if found is None or not re.search(verdict, orca.heard[found]):
            failures.append(f'operation {n} "{sentence}", answered {given}: "{verdict}" not heard; '
                            f"heard {orca.heard[heard:]}")
        passed = orca.focused(heard, found)
        if len(passed) > 1 and n < 40:
            failures.append(f"operation {n}: the focus passed through {passed[:-1]}")
        if n == 40:
            box = orca.expect(heard, r"Hai eseguito 4 esercizi", "the end of the sitting")
            if found is None or found > box:
                failures.append(f"the 40th verdict not heard before or with the end box: "
                                f"heard {orca.heard[heard:]}")
            break
        heard = orca.mark()
        key("Return")  # "Nuova operazione", or "Nuovo esercizio" after the tenth
        if n % 10 == 0:
            passed = orca.focused(heard, orca.expect(heard, operation_heard, f"operation {n + 1}"))
            if len(passed) > 1:
                failures.append(f"Nuovo esercizio after {n}: the focus passed through {passed[:-1]}")

    # Yes: the list of operations; its lines one by one with the arrow keys.
    heard = orca.mark()
    key("Return")
    if orca.wait(heard, r"STAMPA DELLE OPERAZIONI", 10) is None:
        failures.append(f'Enter on "Sì" did not open the list; heard {orca.heard[heard:]}')
        key("Return")  # the rest of the sitting is still heard
        orca.expect(heard, r"STAMPA DELLE OPERAZIONI", "the list of operations")
    for keys, line in (("shift+Tab", 1), ("Down", 2), ("Down", 3)):
        heard = orca.mark()
        key(keys)
        if orca.wait(heard, re.escape(f"({answers[line - 1]})"), 10) is None:
            failures.append(f"{keys} in the list: line {line} not heard; heard {orca.heard[heard:]}")

    # The certificate: the name, the count and the grade, when it opens.
    grade = next(g for v, g in GRADES if right * 10 // 40 >= v)
    for _ in range(4):  # Tab from the list: "Esci", "Stampa le operazioni", "Stampa l'attestato"
        heard = orca.mark()
        key("Tab")
        button = orca.wait(heard, r"push button", 10)
        if button is not None and "attestato" in orca.heard[button]:
            break
    heard = orca.mark()
    key("Return")
    if orca.wait(heard, r"ATTESTATO", 10) is None:
        failures.append(f"Enter on \"Stampa l'attestato\" did nothing; heard {orca.heard[heard:]}")
        key("Return")  # the certificate is still heard
    for what in ("Ada", re.escape(grade), rf"{right} risposte esatte su 40"):
        if orca.wait(heard, what, 15) is None:
            failures.append(f"the certificate: {what!r} not heard; heard {orca.heard[heard:]}")
    unnamed = [s for s in orca.heard if re.fullmatch(r"(menu item|menu)\.?", s.strip())]
    if unnamed:
        failures.append(f"menu entries heard with no name: {unnamed}")


def orphan_guard():
    """Run in each child before it starts: it ends when this test ends, however that happens."""
    libc = ctypes.CDLL(None, use_errno=True)
    libc.prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


def end(process, group=False):
    if process.poll() is None:
        try:
            if group:
                os.killpg(process.pid, signal.SIGTERM)
            else:
                process.terminate()
            process.wait(5)
        except (ProcessLookupError, subprocess.TimeoutExpired):
            try:
                os.killpg(process.pid, signal.SIGKILL) if group else process.kill()
            except ProcessLookupError:
                pass
    process.wait()


def main():
    program = os.path.abspath(sys.argv[1])
    for sig in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(sig, lambda *_: sys.exit(1))
    own = tempfile.mkdtemp(prefix="ascolto-")
    started = []  # (process, whether it leads a group), in the order they started
    failures = []
    orca = None
    try:
        env = dict(os.environ, HOME=f"{own}/home", XDG_CACHE_HOME=f"{own}/cache",
                   XDG_CONFIG_HOME=f"{own}/config", XDG_DATA_HOME=f"{own}/data",
                   XDG_RUNTIME_DIR=f"{own}/run", GSETTINGS_BACKEND="memory",
                   # Orca's speech goes to its debug output only: no speech server is started.
                   SPEECHD_CMD="/bin/false", SPEECHD_ADDRESS=f"unix_socket:{own}/run/speech.sock")
        for folder in ("home", "cache", "config", "data", "run"):
            os.mkdir(f"{own}/{folder}", 0o700)
        quiet = dict(stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env,
                     preexec_fn=orphan_guard)

        # Xvfb picks a free display; one that another server takes at the same moment is
        # left for another.
        for attempt in range(3):
            reading, writing = os.pipe()
            server = subprocess.Popen(["Xvfb", "-displayfd", str(writing), "-screen", "0",
                                       "1024x768x24", "-nolisten", "tcp"], pass_fds=(writing,),
                                      **quiet)
            started.append((server, False))
            os.close(writing)
            display = os.read(reading, 16).decode().strip()
            os.close(reading)
            env["DISPLAY"] = os.environ["DISPLAY"] = f":{display}"
            if display and not subprocess.run(["xdpyinfo"], stdout=subprocess.DEVNULL,
                                              stderr=subprocess.DEVNULL, env=env).returncode:
                break
            end(server)
        else:
            raise Failed("Xvfb did not start")
        # The bus launcher starts the accessibility bus and its registry: a group of their own,
        # ended together.
        started.append((subprocess.Popen([BUS, "--launch-immediately"], start_new_session=True,
                                         **quiet), True))
        started.append((subprocess.Popen(["openbox"], **quiet), False))
        orca = Orca()
        said = open(f"{own}/orca.out", "w+")
        # Orca at times finds no desktop on a display that has just opened: it is asked again.
        for attempt in range(3):
            reader = subprocess.Popen(["orca", "-u", f"{own}/orca", "--debug-file", orca.path],
                                      **dict(quiet, stdout=said, stderr=said))
            started.append((reader, False))
            deadline = time.monotonic() + 60
            while reader.poll() is None and time.monotonic() < deadline:
                if orca.wait(0, r"^Screen reader on", 0.2) is not None:
                    break
            if reader.poll() is None and orca.heard:
                break
            time.sleep(1)
        else:
            said.seek(0)
            xdpyinfo = subprocess.run(["xdpyinfo"], capture_output=True, text=True, env=env)
            raise Failed(f"Orca did not start on {env['DISPLAY']} ({xdpyinfo.returncode}, "
                         f"{xdpyinfo.stderr.strip()}): {said.read()[-500:]}")
        env.update(QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        env.pop("QT_SCALE_FACTOR", None)
        zefirano = subprocess.Popen([program], **quiet)
        started.append((zefirano, False))
        sitting(orca, failures)
        heard = orca.mark()
        key("Tab")
        key("Tab")
        orca.expect(heard, r"Fine sessione", "to FINE SESSIONE")
        key("Return")
        try:
            zefirano.wait(20)
        except subprocess.TimeoutExpired:
            failures.append("FINE SESSIONE did not end the program")
    except (Failed, subprocess.CalledProcessError) as fault:
        failures.append(str(fault))
    finally:
        for process, group in reversed(started):
            end(process, group)
        if orca:
            orca.close()
        shutil.rmtree(own, ignore_errors=True)
    if failures:
        print("ascolto: heard:", *(orca.heard if orca else []), sep="\n  ")
        print("ascolto:", *failures, sep="\n  ")
        return 1
    print(f"ascolto: a whole sitting heard ({len(orca.heard)} utterances)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
