// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The program as main() starts it, reporting its first paint.

#include "firstpaint.h"

#include "window/display.h"
#include "window/sprache.h"
#include "window/wulpe.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (!displayAvailable(argc, argv))
        return 1;
    QApplication app(argc, argv);
    reportFirstPaint(app);
    installGermanQtTexts(app);
    Wulpe window;
    window.Form_Load();
    showMaximisedOnScreen(window);
    return app.exec();
}
