// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;

// Loads Qt's own German texts (buttons of message boxes, context menus of text boxes),
// so that the whole window speaks German on every desktop. False if they are missing.
bool installGermanQtTexts(QCoreApplication& app);
