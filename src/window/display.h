// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whether the program can open its window at all, and how it opens it. Without a display
// Qt ends the process with a fatal error (an abort and a core dump); the program says
// instead, in German and in English, what is missing, and ends with exit code 1.

class QWidget;

// The text the program prints on its error stream when it finds no display.
extern const char* const noDisplayMessage;

// To be called before the application is created, with main()'s arguments. Returns
// false, having printed the message, when no display and no platform is set at all.
// From then on a platform that fails to start ends the program with the same message
// and exit code 1.
bool displayAvailable(int argc, char* argv[]);

// Shows the window maximised: it fills its screen's working area (the screen without the
// desktop's panels), where the layout shows every control. Where no window manager will
// maximise it (a bare X server, some kiosks), the window is given that area itself. The
// window's own size stays its normal geometry, which un-maximising gives back.
void showMaximisedOnScreen(QWidget& window);
