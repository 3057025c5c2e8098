# SPDX-FileCopyrightText: 2026 Das Wulpe-Team
# SPDX-License-Identifier: GPL-3.0-or-later
"""Measures from outside how the running program answers the desktop: the window
manager's ping (_NET_WM_PING) while idle, during a quiz move and during a game of
"ganzes Spiel" with seven doors; how long a screen reader takes to read the doors'
names while idle and during a move; and how fast the program ends when its window is
closed in the middle of a game or "Ende" is clicked with clicks waiting behind it.
The controls are found through the accessibility interface and clicked with the X
server's test extension (xdotool), as a user's clicks arrive.

Prints one figure per line as "name value"."""

import subprocess
import sys
import threading
import time

from Xlib import X, display as xdisplay
from Xlib.protocol import event as xevent

from a11y_check import (BUTTON, LABEL, RADIO, SCROLL_BAR, Missing, by, doors, find_application,
                        need, pump, showing)


class Pinger:
    """Pings the window as a window manager does, one ping at a time, and keeps each
    answer's delay."""

    def __init__(self, window_id):
        self.display = xdisplay.Display()
        self.root = self.display.screen().root
        # Qt answers with the structure mask, other toolkits with the substructure mask.
        self.root.change_attributes(event_mask=X.StructureNotifyMask | X.SubstructureNotifyMask)
        self.window = self.display.create_resource_object("window", window_id)
        self.protocols = self.display.intern_atom("WM_PROTOCOLS")
        self.ping = self.display.intern_atom("_NET_WM_PING")
        self.delays = []
        self.stamp = 1
        self.running = False

    def ping_once(self, timeout=10.0):
        self.stamp += 1
        message = xevent.ClientMessage(window=self.window, client_type=self.protocols,
                                       data=(32, [self.ping, self.stamp, self.window.id, 0, 0]))
        sent = time.monotonic()
        self.window.send_event(message, event_mask=X.NoEventMask)
        self.display.flush()
        while time.monotonic() - sent < timeout:
            while self.display.pending_events():
                reply = self.display.next_event()
                if (reply.type == X.ClientMessage and reply.client_type == self.protocols
                        and reply.data[1][1] == self.stamp):
                    return time.monotonic() - sent
            time.sleep(0.0005)
        return timeout

    def run(self, seconds, every=0.02):
        """Pings for a while; returns the delays in milliseconds."""
        delays = []
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            delays.append(self.ping_once() * 1000)
            time.sleep(every)
        return delays

    def close_window(self):
        """Asks the window to close, as a window manager does for the title bar's button."""
        delete = self.display.intern_atom("WM_DELETE_WINDOW")
        message = xevent.ClientMessage(window=self.window, client_type=self.protocols,
                                       data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        self.window.send_event(message, event_mask=X.NoEventMask)
        self.display.flush()


def centre(obj):
    extents = obj.queryComponent().getExtents(0)
    return extents.x + extents.width // 2, extents.y + extents.height // 2


def click(point):
    subprocess.run(["xdotool", "mousemove", str(point[0]), str(point[1]), "click", "1"], check=True)


def figure(name, value):
    print(f"{name} {value:.1f}", flush=True)


def start(program):
    process = subprocess.Popen([program])
    app = find_application("wulpenproblem") or find_application("Wulpenproblem")
    if app is None:
        sys.exit("the program's window did not appear")
    window = app[0]
    window_id = int(subprocess.run(["xdotool", "search", "--sync", "--name", "^Simulation$"],
                                   capture_output=True, text=True, check=True).stdout.split()[0])
    pump(1.0)
    return process, window, Pinger(window_id)


def controls(window):
    names = {"Spielstart": (BUTTON, "Spielstart"), "Ende": (BUTTON, "Ende"),
             "ganzes Spiel": (RADIO, "ganzes Spiel")}
    found = {key: centre(need(window, role, name)) for key, (role, name) in names.items()}
    found["doors"] = [centre(o) for o in showing(window)
                      if o.getRole() == BUTTON and o.name.startswith("Tür ")]
    if not found["doors"]:
        raise Missing("no door's push button")
    return found


def seven_door_game(window, places):
    click(places["ganzes Spiel"])
    need(window, SCROLL_BAR, "Anzahl der Türen").queryValue().currentValue = 7
    pump(0.5)
    click(places["Spielstart"])


def median(values):
    return sorted(values)[len(values) // 2]


def timed(action):
    """The milliseconds an action takes."""
    started = time.monotonic()
    action()
    return (time.monotonic() - started) * 1000


def exit_after(process, started):
    code = process.wait(timeout=30)
    return (time.monotonic() - started) * 1000, code


def main(program):
    process, window, pinger = start(program)
    places = controls(window)

    idle = pinger.run(1.0)
    figure("ping_idle_median_ms", sorted(idle)[len(idle) // 2])

    read_idle = sorted(timed(lambda: doors(window)) for _ in range(5))[2]
    figure("a11y_read_doors_idle_ms", read_idle)

    click(places["doors"][0])
    quiz = pinger.run(2.6)
    figure("ping_quiz_move_median_ms", median(quiz))
    figure("ping_quiz_move_max_ms", max(quiz))
    figure("pings_during_quiz_move", len(quiz))

    # The game's last move walks for a second; the doors are read in the middle of it.
    click(places["doors"][0])
    time.sleep(0.2)
    figure("a11y_read_doors_during_move_ms", timed(lambda: doors(window)))
    pump(1.5)

    seven_door_game(window, places)
    game = pinger.run(9.0)
    figure("ping_seven_door_game_median_ms", median(game))
    figure("ping_seven_door_game_max_ms", max(game))
    figure("ping_seven_door_game_p99_ms", sorted(game)[len(game) * 99 // 100])
    print("# slowest:", sorted(((round(d), i) for i, d in enumerate(game)), reverse=True)[:5], flush=True)
    figure("pings_during_game", len(game))

    # The window closed in the middle of a game: the program ends at once.
    click(places["Spielstart"])
    pinger.run(1.0)
    closed = time.monotonic()
    pinger.close_window()
    milliseconds, code = exit_after(process, closed)
    figure("exit_after_close_during_game_ms", milliseconds)
    figure("exit_code_after_close", code)

    # "Ende" during a game with clicks behind it: it waits for the game to end like any
    # click, then ends the program without playing the games the clicks behind it ask
    # for. Timed from the moment the game is counted.
    process, window, pinger = start(program)
    places = controls(window)
    seven_door_game(window, places)
    pinger.run(1.0)
    click(places["Ende"])
    for _ in range(3):
        click(places["Spielstart"])
    games = by(window, LABEL, "Anzahl der Spiele")
    counted = None
    while process.poll() is None:
        try:
            if counted is None and games is not None and games.name.endswith(": 1"):
                counted = time.monotonic()
        except Exception:
            pass  # the program has ended between two questions
        time.sleep(0.001)
    if counted is not None:
        figure("exit_after_game_counted_ms", (time.monotonic() - counted) * 1000)
    figure("exit_code_after_ende", process.returncode)


if __name__ == "__main__":
    try:
        main(sys.argv[1])
    except Missing as missing:
        sys.exit(f"FAIL: {missing}: the measurement cannot go on")
