// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where every control goes on the design screen of 12288 x 9216 twips, in the order in
// which FensterAnordnen visits them. The layout multiplies Left and Width by FaktorX,
// Top and Height by FaktorY and the font size by Faktor.
//
// These are the reference places, not the creation rectangles: the decision frames are
// evenly spaced here, every "Tür beibehalten" button is 1452 wide, and every font is a
// whole point size.

#include <array>
#include <span>

struct Placement {
    const char* name;
    int index;                       // array element at i = 0, or -1
    float left, top, width, height;  // Line1: X1, Y1, X2, Y2
    float fontSize;                  // points; 0: the control takes no font size
    int indexStep = 0;               // added to the index for each step of the counter i
    float leftStep = 0;              // added to Left for each step of the counter i
};

// Rows laid out together, for i = 0 to `last`: a single pass for plain controls, a
// counted loop for the regular control arrays.
struct PlacementGroup {
    int last;
    std::span<const Placement> rows;
};

namespace placement {

inline constexpr std::array buttonsAndFrames = {
    Placement{"cmdEnde", -1, 9600, 360, 1332, 612, 12},
    Placement{"cmdStart", -1, 8040, 360, 1332, 612, 12},
    Placement{"Command1", -1, 9600, 360, 1332, 612, 8},
    Placement{"Command2", -1, 3600, 1680, 1332, 492, 12},
    Placement{"Frame2", -1, 480, 960, 11292, 2772, 10},
    Placement{"Frame3", -1, 480, 7200, 11292, 1212, 10},
};

inline constexpr std::array decisionFrames = {
    Placement{"Frame4", 0, 360, 1320, 1812, 1212, 8, 1, 2190},
};

inline constexpr std::array board = {
    Placement{"frmAuswahl1", -1, 480, 3840, 11292, 3252, 10},
    Placement{"imgAuto", -1, 5160, 480, 972, 1452, 0},
    Placement{"imgDon", -1, 5640, 2160, 1092, 972, 0},
    Placement{"imgModerator", -1, 6720, 2160, 972, 972, 0},
};

inline constexpr std::array doorSlots = {
    Placement{"imgTuer", 0, 480, 480, 972, 1452, 0, 1, 1560},
    Placement{"imgWulpe", 0, 480, 480, 972, 1452, 0, 1, 1560},
    Placement{"shpMarker", 0, 360, 360, 1212, 1692, 0, 1, 1560},
};

inline constexpr std::array labels = {
    Placement{"Label1", -1, 240, 1680, 852, 372, 12},
    Placement{"Label2", 0, 360, 480, 1092, 372, 14},
    Placement{"Label2", 1, 3240, 480, 852, 372, 14},
    Placement{"Label2", 2, 6240, 480, 1092, 372, 14},
    Placement{"Label3", -1, 480, 240, 6612, 612, 26},
    Placement{"Label5", -1, 360, 480, 732, 372, 12},
    Placement{"Line1", -1, 360, 1200, 10920, 1200, 0},
};

// Decision k shows from top to bottom Option1(3k+1), Option1(3k), Option1(3k+2).
inline constexpr std::array strategies = {
    Placement{"Option1", 0, 120, 600, 1572, 252, 8, 3},
    Placement{"Option1", 1, 120, 360, 1452, 252, 8, 3},
    Placement{"Option1", 2, 120, 840, 1572, 252, 8, 3},
};

inline constexpr std::array settingsAndStatistics = {
    Placement{"Option2", 0, 2040, 480, 2172, 372, 12},
    Placement{"Option2", 1, 4440, 480, 1812, 372, 12},
    Placement{"Option2", 2, 6360, 480, 1332, 372, 12},
    Placement{"Picture1", 0, 1320, 360, 1092, 612, 24},
    Placement{"Picture1", 1, 4080, 240, 1212, 372, 14},
    Placement{"Picture1", 2, 4080, 720, 1212, 372, 14},
    Placement{"Picture1", 3, 7320, 240, 1212, 372, 14},
    Placement{"Picture1", 4, 7320, 720, 1212, 372, 14},
    Placement{"Text1", -1, 1440, 1680, 972, 420, 14},
    Placement{"txtTueren", -1, 1080, 480, 372, 372, 12},
    Placement{"vscTueren", -1, 1440, 360, 252, 612, 0},
};

} // namespace placement

inline constexpr std::array<PlacementGroup, 7> placementTable = {{
    {0, placement::buttonsAndFrames},
    {4, placement::decisionFrames},
    {0, placement::board},
    {6, placement::doorSlots},
    {0, placement::labels},
    {4, placement::strategies},
    {0, placement::settingsAndStatistics},
}};

// The door slots' rows, which also place the car on the door it stands behind.
inline constexpr const Placement& doorPlacement = placement::doorSlots[0];
