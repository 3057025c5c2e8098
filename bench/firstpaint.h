// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// For the start-up benchmark: a program started by the driver reports, once its window
// is painted for the first time, the milliseconds since the driver started it and its
// peak resident memory, and ends.

class QApplication;

// Installs the watch on the application; call before the window is shown.
void reportFirstPaint(QApplication& app);
