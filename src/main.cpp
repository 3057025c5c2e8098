#include "window/sprache.h"
#include "window/wulpe.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QGuiApplication::setDesktopFileName(QStringLiteral(WULPE_APP_ID));
    QApplication app(argc, argv);
    installGermanQtTexts(app);
    Wulpe window;
    window.Form_Load();
    window.show();
    return app.exec();
}
