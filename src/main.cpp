#include "window/wulpe.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(WULPE_APP_ID));
    Wulpe window;
    window.Form_Load();
    window.show();
    return app.exec();
}
