// The X11 window type of the tool windows.
#include "platform/qt_x11_window_type.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef TESSERA_HAVE_XCB
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(c, 0, uint16_t(strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return a;
}

} // namespace
#endif

void markAsToolBarWindow(QWidget* window) {
#ifdef TESSERA_HAVE_XCB
    // Only the xcb platform has a window manager to tell (the offscreen one answers too).
    if (!window || QGuiApplication::platformName() != u"xcb")
        return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c)
        return;
    const xcb_atom_t type = atom(c, "_NET_WM_WINDOW_TYPE");
    // The tool bar type first; managers that do not know it fall back to a utility window.
    const xcb_atom_t types[] = {atom(c, "_NET_WM_WINDOW_TYPE_TOOLBAR"),
                                atom(c, "_NET_WM_WINDOW_TYPE_UTILITY")};
    if (type == XCB_ATOM_NONE || types[0] == XCB_ATOM_NONE)
        return;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, xcb_window_t(window->winId()), type,
                        XCB_ATOM_ATOM, 32, 2, types);
    xcb_flush(c);
#else
    Q_UNUSED(window);
#endif
}
