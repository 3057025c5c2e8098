#pragma once

// What a screen reader hears of the control layer's own controls. Standard widgets
// (buttons, option buttons, text boxes, the scroll bar, labels) speak through Qt; the
// door board, the print boxes and the frames get interfaces of their own that read
// the window as it is painted, so nothing in the game has to tell them anything:
//   a door that is closed:       "Tür 2: geschlossen", a button that can be pressed;
//   the Wulpe behind an opened door: "Tür 2: geöffnet, eine Wulpe", a graphic;
//   the car shown on its door:   "Tür 2: das Auto", a graphic;
// each followed by how often the door was chosen, as its marker shows it.

#include <QString>

class QWidget;

// Registers the interfaces with Qt; calling it again does nothing.
void installAccessibility();

// Tells assistive technology that what a control says may have changed; cheap and
// silent while no assistive technology listens.
void announceChange(QWidget& control);

// The state of door slot `door` (0-based) on the door board `board`, as spoken after
// "Tür n: ". Empty if the board has no such door.
QString spokenDoorState(const QWidget& board, int door);
