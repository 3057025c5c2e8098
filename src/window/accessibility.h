// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a screen reader hears of the control layer's own controls. Standard widgets
// (buttons, option buttons, text boxes, the scroll bar, labels) speak through Qt; the
// door board, the print boxes and the frames get interfaces of their own. A door says
// which of its pictures shows and what the game knows about it:
//   a door that is closed:       "Tür 2: geschlossen", a button that can be pressed;
//   the Wulpe behind an opened door: "Tür 2: geöffnet, eine Wulpe", a graphic;
//   the car shown on its door:   "Tür 2: das Auto", a graphic;
// each followed by how often the door was chosen in this game, or, on the door a
// decided game ended on, ", zuletzt gewählt".

#include <QString>

#include <functional>
#include <vector>

class QWidget;

// What the game knows about its door board, which the pictures alone do not say.
struct BoardFacts {
    int carDoor = -1;             // the door the car is shown on, or -1 while it is not
    std::vector<int> timesHeld;   // how often each door was held in this game
    int decidedOn = -1;           // the door a decided game ended on; -1 while undecided
};

// Registers the interfaces with Qt; calling it again does nothing.
void installAccessibility();

// From now on the pictures of `board` ask `facts` what the game knows, for as long as
// the board lives.
void setBoardFacts(QWidget& board, std::function<BoardFacts()> facts);

// Tells assistive technology that what a control says may have changed; cheap and
// silent while no assistive technology listens.
void announceChange(QWidget& control);

// The state of door slot `door` (0-based) on the door board `board`, as spoken after
// "Tür n: ". Empty if the board has no such door.
QString spokenDoorState(const QWidget& board, int door);
