// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The texts of the menu's two information boxes. The program holds its line breaks as
// the pair LF CR.

#include <QString>

QString explanationText();
QString authorshipText();

// A text as a message box shows it: each LF CR pair is one line break there.
QString displayedText(const QString& text);
