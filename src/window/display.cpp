#include "display.h"

#include <QGuiApplication>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>

const char* const noDisplayMessage =
    "Das Wulpenproblem braucht eine grafische Oberfläche (X11 oder Wayland), kann aber keine "
    "erreichen. Ist DISPLAY oder WAYLAND_DISPLAY richtig gesetzt?\n"
    "Das Wulpenproblem needs a graphical display (X11 or Wayland) but cannot reach one. "
    "Is DISPLAY or WAYLAND_DISPLAY set correctly?\n";

namespace {

QtMessageHandler qtHandler = nullptr;

// A fatal message before any platform has started is Qt failing to start one: the
// display is missing or cannot be reached.
void endWithoutPlatform(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg && QGuiApplication::platformName().isEmpty()) {
        std::fputs(noDisplayMessage, stderr);
        std::_Exit(1);
    }
    qtHandler(type, context, message);
}

bool isSet(const char* variable)
{
    return !qEnvironmentVariableIsEmpty(variable);
}

bool platformArgument(int argc, char* argv[])
{
    for (int a = 1; a < argc; ++a) {
        if (std::strcmp(argv[a], "-platform") == 0 || std::strcmp(argv[a], "--platform") == 0)
            return true;
    }
    return false;
}

} // namespace

bool displayAvailable(int argc, char* argv[])
{
    qtHandler = qInstallMessageHandler(endWithoutPlatform);
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    if (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY") && !isSet("QT_QPA_PLATFORM")
        && !platformArgument(argc, argv)) {
        std::fputs(noDisplayMessage, stderr);
        return false;
    }
#else
    Q_UNUSED(argc);
    Q_UNUSED(argv);
#endif
    return true;
}
