// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a screen reader hears of the control layer's own controls. Standard widgets
// (buttons, option buttons, text boxes, the scroll bar, labels) speak through Qt; the
// door board, the print boxes and the frames get interfaces of their own. Of the pictures
// of a door, the one on show speaks for it, with what the window tells it of the game:
//   a door that is closed:       "Tür 2: geschlossen", a button that can be pressed;
//   the Wulpe behind an opened door: "Tür 2: geöffnet, eine Wulpe", a graphic;
//   the car shown on its door:   "Tür 2: das Auto", a graphic;
// each followed by how often the door was chosen in this game, or, on the door a
// decided game ended on, ", zuletzt gewählt".

class QWidget;

// Registers the interfaces with Qt; calling it again does nothing.
void installAccessibility();

// Tells assistive technology that what a control says has changed. Cheap and silent
// while no assistive technology listens.
void announceChange(QWidget& control);
