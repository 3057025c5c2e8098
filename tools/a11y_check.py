# SPDX-FileCopyrightText: 2026 Das Wulpe-Team
# SPDX-License-Identifier: GPL-3.0-or-later
"""Meets the program through AT-SPI, the desktop's accessibility interface, as a screen
reader does: finds its window, lists the controls on show by role and name, reads the
statistics boxes, and plays with the controls' actions alone. Exits non-zero on the
first thing a screen reader could not do."""

import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

failures = []
name_changes = []

# Roles are compared by pyatspi's constants, never by their names, which change between
# versions of the accessibility bus (at-spi2-core 2.56 calls a push button "button").
BUTTON = pyatspi.ROLE_PUSH_BUTTON
RADIO = pyatspi.ROLE_RADIO_BUTTON
SCROLL_BAR = pyatspi.ROLE_SCROLL_BAR
TEXT = pyatspi.ROLE_TEXT
LABEL = pyatspi.ROLE_LABEL
PANEL = pyatspi.ROLE_PANEL
IMAGE = pyatspi.ROLE_IMAGE
MENU_ITEM = pyatspi.ROLE_MENU_ITEM
WORDS = {BUTTON: "push button", RADIO: "radio button", SCROLL_BAR: "scroll bar", TEXT: "text",
         LABEL: "label", PANEL: "panel", IMAGE: "image", MENU_ITEM: "menu item"}


class Missing(Exception):
    """A control that the check needs to go on is not on show."""


def check(condition, message):
    print(("ok   " if condition else "FAIL ") + message)
    if not condition:
        failures.append(message)
    return condition


def pump(seconds):
    """Lets events arrive while time passes."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def find_application(name, timeout=20):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        time.sleep(0.1)
    return None


def showing(root):
    """Every object on show below root, in tree order, as a screen reader walks it."""
    found = []

    def walk(node):
        for child in node:
            if child is None:
                continue
            if child.getState().contains(pyatspi.STATE_SHOWING):
                found.append(child)
                walk(child)

    walk(root)
    return found


def by(root, role, name):
    matches = [o for o in showing(root) if o.getRole() == role and o.name == name]
    return matches[0] if matches else None


def need(root, role, name):
    """The control, or Missing, which ends the check with a failure that names it."""
    obj = by(root, role, name)
    if obj is None:
        raise Missing(f'{WORDS[role]} "{name}" is not on show')
    return obj


def text_of(obj):
    text = obj.queryText()
    return text.getText(0, text.characterCount)


def press(obj, *names):
    """Does the control's action of one of these names; False where it has none."""
    action = obj.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() in names:
            return action.doAction(i)
    return False


def doors(window):
    return sorted(o.name for o in showing(window) if o.name.startswith("Tür ") and ":" in o.name)


def wait_for(condition, timeout):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        if condition():
            return True
        pump(0.1)
    return False


def statistics(window):
    boxes = ["Anzahl der Spiele", "Anzahl der Autos", "Anteil der Autos",
             "Anzahl der Wulpen", "Anteil der Wulpen"]
    labels = [o for o in showing(window) if o.getRole() == LABEL]
    result = {}
    for box in boxes:
        obj = next((o for o in labels if o.name == box or o.name.startswith(box + ": ")), None)
        result[box] = (obj.name, text_of(obj)) if obj else None
    return result


def main(program, play):
    pyatspi.Registry.registerEventListener(
        lambda event: name_changes.append(event.source), "object:property-change:accessible-name")
    process = subprocess.Popen([program])
    try:
        app = find_application("wulpenproblem")
        if not check(app is not None, "the program is on the accessibility bus"):
            return
        window = next((w for w in app if w is not None and w.name == "Simulation"), None)
        if not check(window is not None, 'its window "Simulation" is listed'):
            return

        print("\nControls on show, as a screen reader lists them:")
        for obj in showing(window):
            print(f"  {obj.getRoleName():13} {obj.name}")
        print()

        expected = [
            (BUTTON, "Spielstart"), (BUTTON, "Ende"), (BUTTON, "Zähler löschen"),
            (RADIO, "Quiz nachspielen"), (RADIO, "ganzes Spiel"),
            (RADIO, "20 Spiele"), (SCROLL_BAR, "Anzahl der Türen"), (TEXT, "Türen"),
            (LABEL, "Das Wulpenproblem"), (LABEL, "Spiele"), (LABEL, "Autos"), (LABEL, "Wulpen"),
            (PANEL, "Einstellungen"), (PANEL, "Statistik"),
            (PANEL, "Türen des Spiels: Klicke auf die gewünschte Tür"),
            (BUTTON, "Tür 1: geschlossen"), (BUTTON, "Tür 2: geschlossen"),
            (BUTTON, "Tür 3: geschlossen"),
            (IMAGE, "Moderator"), (IMAGE, "Kandidat"),
            (MENU_ITEM, "Erläuterung"), (MENU_ITEM, "copyright"),
        ]
        for role, name in expected:
            check(by(window, role, name) is not None, f'{WORDS[role]} "{name}"')
        check(by(window, TEXT, "Spiele") is None and by(window, BUTTON, "löschen") is None,
              "no control clipped away below the statistics is on show")
        unnamed = [o.getRoleName() for o in showing(window)
                   if not o.name and o.getRole() not in (pyatspi.ROLE_FILLER, pyatspi.ROLE_MENU_BAR)]
        check(not unnamed, f"every control on show has a name (unnamed: {unnamed})")
        check(len(doors(window)) == 3, f"three doors in play at the start: {doors(window)}")

        for box, value in statistics(window).items():
            check(value is not None, f'statistics box "{box}" is listed with a text interface')

        try:
            change_settings(window)
            pump(0.5)
            check(len(name_changes) > 0, f"name changes were announced: {len(name_changes)} events")
            if play:
                play_through(window)
                box_closes_by_keyboard(app, window)
        except Missing as missing:
            check(False, f"{missing}: the check cannot go on")
    finally:
        process.terminate()
        process.wait(timeout=10)

    print()
    print(f"{len(failures)} failed" if failures else "all accessibility checks passed")


def change_settings(window):
    """The door count through the scroll bar's value, the mode through its button."""
    print("\nChanging the settings through the accessibility interface:")
    bar = need(window, SCROLL_BAR, "Anzahl der Türen")
    bar.queryValue().currentValue = 5
    check(wait_for(lambda: len(doors(window)) == 5, 5), f"five doors after setting five: {doors(window)}")
    check(need(window, TEXT, "Türen").queryText().getText(0, -1) == "5", 'the text box "Türen" reads 5')
    press(need(window, RADIO, "ganzes Spiel"), "press", "click", "toggle")
    check(wait_for(lambda: by(window, PANEL, "Türen des Spiels") is not None, 5),
          "the door board's prompt is gone when the mode changes")
    frames = [o.name for o in showing(window) if o.name.endswith(". Entscheidung")]
    check(frames == ["1. Entscheidung", "2. Entscheidung", "3. Entscheidung"],
          f"five doors need three decision frames: {frames}")
    bar.queryValue().currentValue = 3
    check(wait_for(lambda: len(doors(window)) == 3, 5), "three doors again")


def play_through(window):
    """Twenty games and a quiz move with nothing but the controls' actions."""
    print("\nPlaying twenty games through the accessibility interface:")
    press(need(window, RADIO, "20 Spiele"), "press", "click", "toggle")
    check(wait_for(lambda: need(window, RADIO, "20 Spiele").getState()
                   .contains(pyatspi.STATE_CHECKED), 5), '"20 Spiele" is selected')
    press(need(window, BUTTON, "Spielstart"), "press", "click")
    games = lambda: statistics(window)["Anzahl der Spiele"]
    wait_for(lambda: games() and games()[1].strip() == "20", 30)
    stats = statistics(window)
    for box, value in stats.items():
        if value is None:
            raise Missing(f'statistics box "{box}"')
        print(f'  {box!r}: name {value[0]!r}, text {value[1]!r}')
    check(stats["Anzahl der Spiele"][1] == " 20 ", "the games box reads 20")
    check(stats["Anzahl der Spiele"][0] == "Anzahl der Spiele: 20", "its name says so")
    cars = int(stats["Anzahl der Autos"][1] or 0)
    wulpen = int(stats["Anzahl der Wulpen"][1] or 0)
    check(cars + wulpen == 20, f"cars {cars} and Wulpen {wulpen} add up to 20")
    check(stats["Anteil der Autos"][1].endswith("%"), "the share of cars is read as a percentage")
    decided = doors(window)
    print(f"  doors: {decided}")
    check(len(decided) == 3 and sum("das Auto" in d for d in decided) == 1
          and sum("eine Wulpe" in d for d in decided) == 2, "the decided game shows one car and two Wulpen")
    check(sum("zuletzt gewählt" in d for d in decided) == 1, "the player's final door is told")

    print("\nA quiz move, by pressing a door:")
    press(need(window, RADIO, "Quiz nachspielen"), "press", "click", "toggle")
    pump(0.5)
    press(need(window, BUTTON, "Spielstart"), "press", "click")
    check(wait_for(lambda: by(window, PANEL, "Türen des Spiels: Klicke auf die gewünschte Tür")
                   is not None, 5), "Spielstart opens a game and the board prompts for a door")
    check(doors(window) == ["Tür 1: geschlossen", "Tür 2: geschlossen", "Tür 3: geschlossen"],
          "with every door closed")
    held, *others = [need(window, BUTTON, f"Tür {k}: geschlossen") for k in (1, 2, 3)]
    pump(0.5)
    name_changes.clear()
    press(held, "press")
    moved = wait_for(lambda: any("eine Wulpe" in d for d in doors(window)), 10)
    print(f"  doors: {doors(window)}")
    check(moved, "the host opened a door with a Wulpe")
    check("Tür 1: geschlossen, einmal gewählt" in doors(window), "door 1 is told as chosen once")
    # Each door whose name changed is announced once, the one that stayed closed not at all.
    untouched = [door for door in others if door.name.endswith(": geschlossen")]
    opened = [door for door in others if door not in untouched]
    announced_once(held, opened, untouched)
    press(need(window, BUTTON, "Spielstart"), "press", "click")
    check(wait_for(lambda: doors(window) == ["Tür 1: geschlossen", "Tür 2: geschlossen", "Tür 3: geschlossen"],
                   5), "the next game closes every door again")
    announced_once(held, opened, untouched)


def box_closes_by_keyboard(app, window):
    """A box of the menu takes the keyboard when it opens, also with no window manager to
    hand it over: Escape, typed on the keyboard, closes it."""
    print("\nA box of the menu, closed by keyboard:")
    boxes = lambda: [w for w in app if w is not None and w.name == "Wulpenproblem"
                     and w.getState().contains(pyatspi.STATE_SHOWING)]
    press(need(window, MENU_ITEM, "Erläuterung"), "press", "click", "toggle")
    if not check(wait_for(lambda: boxes(), 5), '"Erläuterung" opens its box'):
        return
    # The pointer over the window, not over the box: where no window manager gives the
    # keyboard to a window, X gives it to the one under the pointer.
    pyatspi.Registry.generateMouseEvent(5, 5, pyatspi.MOUSE_ABS)
    pump(0.3)
    escape = 0xff1b  # the key's X keysym
    pyatspi.Registry.generateKeyboardEvent(escape, None, pyatspi.KEY_SYM)
    check(wait_for(lambda: not boxes(), 5), "Escape on the keyboard closes it")


def announced_once(held, opened, untouched):
    """Each of the doors that changed was announced once since the last call, the others
    not at all."""
    pump(0.5)
    counts = [sum(source == door for source in name_changes) for door in [held] + opened + untouched]
    check(len(opened) == 1 and counts == [1, 1, 0],
          f"the held and the opened door are announced once, the other door not at all: {counts}")
    name_changes.clear()


if __name__ == "__main__":
    arguments = sys.argv[1:]
    main(next(a for a in arguments if not a.startswith("--")), "--names-only" not in arguments)
    sys.exit(1 if failures else 0)
