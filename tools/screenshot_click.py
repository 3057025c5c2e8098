# SPDX-FileCopyrightText: 2026 Das Wulpe-Team
# SPDX-License-Identifier: GPL-3.0-or-later
"""Clicks a control of the running program by its accessible name, where the program
reports it on the screen through AT-SPI, with real mouse clicks (xdotool).
    screenshot_click.py NAME [COUNT] [top]
"top" clicks 4 pixels below the control's top edge (for a vertical scroll bar: on its
upper arrow)."""

import subprocess
import sys
import time

import pyatspi


def showing(node):
    for child in node:
        if child is not None and child.getState().contains(pyatspi.STATE_SHOWING):
            yield child
            yield from showing(child)


def find(name, timeout=10):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "wulpenproblem":
                for obj in showing(app):
                    if obj.name == name:
                        return obj
        time.sleep(0.1)
    return None


def main(name, count=1, where="centre"):
    obj = find(name)
    if obj is None:
        sys.exit(f"tools/screenshot: no control named {name!r} on show")
    box = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    x = box.x + box.width // 2
    y = box.y + (4 if where == "top" else box.height // 2)
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "--repeat", str(count),
                    "--delay", "600", "1"], check=True)


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 1,
         sys.argv[3] if len(sys.argv) > 3 else "centre")
