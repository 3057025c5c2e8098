// The yardstick of the start-up benchmark: a bare Qt window with one label.

#include "firstpaint.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    reportFirstPaint(app);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Das Wulpenproblem"), &window));
    window.show();
    return app.exec();
}
