// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/display.h"
#include "window/sprache.h"
#include "window/wulpe.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (!displayAvailable(argc, argv))
        return 1;
    QGuiApplication::setDesktopFileName(QStringLiteral(WULPE_APP_ID));
    QApplication app(argc, argv);
    installGermanQtTexts(app);
    Wulpe window;
    window.Form_Load();
    showMaximisedOnScreen(window);
    return app.exec();
}
