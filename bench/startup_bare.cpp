// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of the start-up benchmark: a bare Qt window with one label, shown as the
// program shows its window, filling the screen's working area.

#include "firstpaint.h"

#include "window/display.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    reportFirstPaint(app);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Das Wulpenproblem"), &window));
    showMaximisedOnScreen(window);
    return app.exec();
}
