// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window as it is created: one row per control (or per regular control array) with
// everything about it that is a constant: its kind, container, caption, rectangle in
// twips, font, tab place, the name a screen reader speaks and its picture. These are the
// values the controls hold before the layout first runs. Where each control goes from
// then on, scaled to the screen, is its reference place in layout/platzierung.h.

#include <array>

enum class Kind { Label, Frame, CommandButton, OptionButton, TextBox, VScrollBar, PictureBox, Image, Shape, Line };

struct DesignControl {
    const char* name;
    int index;           // element of a control array, or -1
    Kind kind;
    const char* container;   // null: the window itself
    int containerIndex;      // element of the container's array, or -1
    const char* caption;
    float left, top, width, height;  // a line: X1, Y1, X2, Y2
    const char* font;    // null: the window's font (or no font at all)
    float fontSize;      // points; 0 with the window's font
    bool italic;
    int tab;             // place in the focus order, or -1
    const char* spoken = nullptr;   // what a screen reader says, if not the caption;
                                    // %1 stands for the door's number, index + 1
    const char* picture = nullptr;  // an image's picture among the resources
    int count = 1;       // a row standing for `count` elements, `leftStep` twips apart
    float leftStep = 0;
};

inline constexpr const char* SansSerif = "MS Sans Serif";
inline constexpr const char* Serif = "Times New Roman";
inline constexpr float WindowFontSize = 8.25f;

// In creation order, which is also the stacking order: later controls lie on top.
inline constexpr std::array designControls = {
    DesignControl{"Label3", -1, Kind::Label, nullptr, -1, "Das Wulpenproblem", 480, 240, 6612, 612, Serif, 25.5f, true, 41},
    DesignControl{"Frame2", -1, Kind::Frame, nullptr, -1, "Einstellungen", 480, 960, 11292, 2772, SansSerif, 9.75f, false, 1},
    DesignControl{"frmAuswahl1", -1, Kind::Frame, nullptr, -1, "", 480, 3840, 11292, 3252, SansSerif, 9.75f, false, 0, "Türen des Spiels"},
    DesignControl{"Frame3", -1, Kind::Frame, nullptr, -1, "Statistik", 480, 7200, 11292, 1212, SansSerif, 9.75f, false, 28},

    DesignControl{"Label5", -1, Kind::Label, "Frame2", -1, "Türen", 360, 480, 732, 372, SansSerif, 12, false, 2},
    DesignControl{"txtTueren", -1, Kind::TextBox, "Frame2", -1, "3", 1080, 480, 372, 372, SansSerif, 12, false, 3, "Türen"},
    DesignControl{"vscTueren", -1, Kind::VScrollBar, "Frame2", -1, "", 1440, 360, 252, 612, nullptr, 0, false, 4, "Anzahl der Türen"},
    DesignControl{"Option2", 0, Kind::OptionButton, "Frame2", -1, "Quiz nachspielen", 2040, 480, 2172, 372, SansSerif, 12, false, 5},
    DesignControl{"Option2", 1, Kind::OptionButton, "Frame2", -1, "ganzes Spiel", 4440, 480, 1812, 372, SansSerif, 12, false, 6},
    DesignControl{"Option2", 2, Kind::OptionButton, "Frame2", -1, "20 Spiele", 6360, 480, 1332, 372, SansSerif, 12, false, 32},
    DesignControl{"cmdStart", -1, Kind::CommandButton, "Frame2", -1, "Spielstart", 8040, 360, 1332, 612, SansSerif, 12, false, 7},
    DesignControl{"cmdEnde", -1, Kind::CommandButton, "Frame2", -1, "Ende", 9600, 360, 1332, 612, SansSerif, 12, false, 43},
    DesignControl{"Line1", -1, Kind::Line, "Frame2", -1, "", 360, 1200, 10920, 1200, nullptr, 0, false, -1, "Trennlinie"},
    DesignControl{"Frame4", 0, Kind::Frame, "Frame2", -1, "1. Entscheidung", 360, 1320, 1812, 1212, nullptr, 0, false, 8},
    DesignControl{"Frame4", 1, Kind::Frame, "Frame2", -1, "2. Entscheidung", 2640, 1320, 1812, 1212, nullptr, 0, false, 12},
    DesignControl{"Frame4", 2, Kind::Frame, "Frame2", -1, "3. Entscheidung", 4800, 1320, 1812, 1212, nullptr, 0, false, 16},
    DesignControl{"Frame4", 3, Kind::Frame, "Frame2", -1, "4. Entscheidung", 6960, 1320, 1812, 1212, nullptr, 0, false, 20},
    DesignControl{"Frame4", 4, Kind::Frame, "Frame2", -1, "5. Entscheidung", 9120, 1320, 1812, 1212, nullptr, 0, false, 24},

    // Decision k: from top to bottom keep (3k+1), random re-choice (3k), new door (3k+2).
    DesignControl{"Option1", 1, Kind::OptionButton, "Frame4", 0, "Tür beibehalten", 120, 360, 1452, 252, nullptr, 0, false, 10},
    DesignControl{"Option1", 0, Kind::OptionButton, "Frame4", 0, "Umwahl zufällig", 120, 600, 1572, 252, nullptr, 0, false, 11},
    DesignControl{"Option1", 2, Kind::OptionButton, "Frame4", 0, "neue Tür wählen", 120, 840, 1572, 252, nullptr, 0, false, 9},
    DesignControl{"Option1", 4, Kind::OptionButton, "Frame4", 1, "Tür beibehalten", 120, 360, 1572, 252, nullptr, 0, false, 14},
    DesignControl{"Option1", 3, Kind::OptionButton, "Frame4", 1, "Umwahl zufällig", 120, 600, 1572, 252, nullptr, 0, false, 13},
    DesignControl{"Option1", 5, Kind::OptionButton, "Frame4", 1, "neue Tür wählen", 120, 840, 1572, 252, nullptr, 0, false, 15},
    DesignControl{"Option1", 7, Kind::OptionButton, "Frame4", 2, "Tür beibehalten", 120, 360, 1452, 252, nullptr, 0, false, 18},
    DesignControl{"Option1", 6, Kind::OptionButton, "Frame4", 2, "Umwahl zufällig", 120, 600, 1572, 252, nullptr, 0, false, 19},
    DesignControl{"Option1", 8, Kind::OptionButton, "Frame4", 2, "neue Tür wählen", 120, 840, 1572, 252, nullptr, 0, false, 17},
    DesignControl{"Option1", 10, Kind::OptionButton, "Frame4", 3, "Tür beibehalten", 120, 360, 1572, 252, nullptr, 0, false, 22},
    DesignControl{"Option1", 9, Kind::OptionButton, "Frame4", 3, "Umwahl zufällig", 120, 600, 1572, 252, nullptr, 0, false, 23},
    DesignControl{"Option1", 11, Kind::OptionButton, "Frame4", 3, "neue Tür wählen", 120, 840, 1572, 252, nullptr, 0, false, 21},
    DesignControl{"Option1", 13, Kind::OptionButton, "Frame4", 4, "Tür beibehalten", 120, 360, 1572, 252, nullptr, 0, false, 26},
    DesignControl{"Option1", 12, Kind::OptionButton, "Frame4", 4, "Umwahl zufällig", 120, 600, 1572, 252, nullptr, 0, false, 25},
    DesignControl{"Option1", 14, Kind::OptionButton, "Frame4", 4, "neue Tür wählen", 120, 840, 1572, 252, nullptr, 0, false, 27},

    // The door board. Markers lie lowest, the figures on top.
    DesignControl{"shpMarker", 0, Kind::Shape, "frmAuswahl1", -1, "", 360, 360, 1212, 1692, nullptr, 0, false, -1, "Markierung von Tür %1", nullptr, 7, 1560},
    DesignControl{"imgWulpe", 0, Kind::Image, "frmAuswahl1", -1, "", 480, 480, 972, 1452, nullptr, 0, false, -1, "Wulpe hinter Tür %1", ":/assets/wulpe.svg", 7, 1560},
    DesignControl{"imgTuer", 0, Kind::Image, "frmAuswahl1", -1, "", 480, 480, 972, 1452, nullptr, 0, false, -1, "Tür %1", ":/assets/tuer.svg", 7, 1560},
    DesignControl{"imgAuto", -1, Kind::Image, "frmAuswahl1", -1, "", 5160, 480, 972, 1452, nullptr, 0, false, -1, "Auto", ":/assets/auto.svg"},
    DesignControl{"imgModerator", -1, Kind::Image, "frmAuswahl1", -1, "", 6720, 2160, 972, 972, nullptr, 0, false, -1, "Moderator", ":/assets/moderator.svg"},
    DesignControl{"imgDon", -1, Kind::Image, "frmAuswahl1", -1, "", 5640, 2160, 1092, 972, nullptr, 0, false, -1, "Kandidat", ":/assets/don.svg"},

    DesignControl{"Label2", 0, Kind::Label, "Frame3", -1, "Spiele", 360, 480, 1092, 372, SansSerif, 13.5f, false, 33},
    DesignControl{"Picture1", 0, Kind::PictureBox, "Frame3", -1, "", 1320, 360, 1092, 612, SansSerif, 24, false, 34, "Anzahl der Spiele"},
    DesignControl{"Label2", 1, Kind::Label, "Frame3", -1, "Autos", 3240, 480, 852, 372, SansSerif, 13.5f, false, 35},
    DesignControl{"Picture1", 1, Kind::PictureBox, "Frame3", -1, "", 4080, 240, 1212, 372, SansSerif, 13.5f, false, 36, "Anzahl der Autos"},
    DesignControl{"Picture1", 2, Kind::PictureBox, "Frame3", -1, "", 4080, 720, 1212, 372, SansSerif, 13.5f, false, 38, "Anteil der Autos"},
    DesignControl{"Label2", 2, Kind::Label, "Frame3", -1, "Wulpen", 6240, 480, 1092, 372, SansSerif, 13.5f, false, 37},
    DesignControl{"Picture1", 3, Kind::PictureBox, "Frame3", -1, "", 7320, 240, 1212, 372, SansSerif, 13.5f, false, 39, "Anzahl der Wulpen"},
    DesignControl{"Picture1", 4, Kind::PictureBox, "Frame3", -1, "", 7320, 720, 1212, 372, SansSerif, 13.5f, false, 40, "Anteil der Wulpen"},
    DesignControl{"Command1", -1, Kind::CommandButton, "Frame3", -1, "Zähler löschen", 9600, 360, 1332, 612, nullptr, 0, false, 42},
    DesignControl{"Label1", -1, Kind::Label, "Frame3", -1, "Spiele", 240, 1680, 852, 372, SansSerif, 12, false, 31},
    DesignControl{"Text1", -1, Kind::TextBox, "Frame3", -1, "0", 1440, 1680, 972, 420, SansSerif, 13.5f, false, 29, "Spiele"},
    DesignControl{"Command2", -1, Kind::CommandButton, "Frame3", -1, "löschen", 3600, 1680, 1332, 492, SansSerif, 12, false, 30},
};

// The window's client area on creation, in twips.
inline constexpr float ClientWidth = 3750;
inline constexpr float ClientHeight = 2505;
