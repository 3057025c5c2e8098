// SPDX-FileCopyrightText: 2026 Das Wulpe-Team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "display.h"

#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <QWidget>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

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

// Only a Unix desktop can be out of reach: X11 or Wayland named by the environment.
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
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
#endif

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

namespace {

#if QT_CONFIG(xcb)
// The reply of one request, freed with it.
template <class Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t* connection, xcb_intern_atom_cookie_t cookie)
{
    const Owned<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The values of a window's property of 32-bit items (windows, atoms).
std::vector<std::uint32_t> property(xcb_connection_t* connection, xcb_window_t window,
                                    xcb_atom_t name, xcb_atom_t type)
{
    const auto cookie = xcb_get_property(connection, false, window, name, type, 0, 4096);
    const Owned<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (!reply || reply->format != 32 || reply->type != type)
        return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

// An X11 window manager that follows the desktop conventions (EWMH) names a window of its
// own on the root window and on that window itself, and lists the states it supports.
bool x11WindowManagerMaximises(xcb_connection_t* connection)
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const auto intern = [connection](const char* name) {
        return xcb_intern_atom(connection, true, std::uint16_t(std::strlen(name)), name);
    };
    const auto checkCookie = intern("_NET_SUPPORTING_WM_CHECK");
    const auto supportedCookie = intern("_NET_SUPPORTED");
    const auto vertCookie = intern("_NET_WM_STATE_MAXIMIZED_VERT");
    const auto horzCookie = intern("_NET_WM_STATE_MAXIMIZED_HORZ");
    const xcb_atom_t check = atom(connection, checkCookie);
    const xcb_atom_t supported = atom(connection, supportedCookie);
    const xcb_atom_t vert = atom(connection, vertCookie);
    const xcb_atom_t horz = atom(connection, horzCookie);
    if (check == XCB_ATOM_NONE || supported == XCB_ATOM_NONE || vert == XCB_ATOM_NONE || horz == XCB_ATOM_NONE)
        return false;
    // A window manager that has ended leaves its name on the root window behind.
    const auto manager = property(connection, root, check, XCB_ATOM_WINDOW);
    if (manager.size() != 1 || property(connection, manager[0], check, XCB_ATOM_WINDOW) != manager)
        return false;
    const auto states = property(connection, root, supported, XCB_ATOM_ATOM);
    const auto lists = [&states](xcb_atom_t a) { return std::find(states.begin(), states.end(), a) != states.end(); };
    return lists(vert) && lists(horz);
}
#endif

// Wayland compositors always maximise, and so do Qt's other platforms; on X11 it takes a
// window manager.
bool windowManagerMaximises()
{
    if (QGuiApplication::platformName() != u"xcb")
        return true;
#if QT_CONFIG(xcb)
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        return x11WindowManagerMaximises(x11->connection());
#endif
    return false;
}

} // namespace

void showMaximisedOnScreen(QWidget& window)
{
    window.setWindowState(window.windowState() | Qt::WindowMaximized);
    if (!windowManagerMaximises()) {
        if (const QScreen* screen = window.screen())
            window.setGeometry(screen->availableGeometry());
    }
    window.show();
}
