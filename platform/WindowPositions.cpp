#include "platform/WindowPositions.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef LANTERNIX_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#endif

namespace lanternix {

WindowPositions::WindowPositions() {
#ifdef LANTERNIX_XCB
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() == QLatin1String("xcb") && x11 && x11->connection()) {
        connection_ = x11->connection();
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    }
#endif
}

void WindowPositions::read(const QWidget& a, QPoint& aAt, const QWidget& b, QPoint& bAt) const {
    aAt = a.frameGeometry().topLeft();
    bAt = b.frameGeometry().topLeft();
#ifdef LANTERNIX_XCB
    if (!asksServer())
        return;
    // The server knows where the client area is; the frame around it keeps its size in a drag.
    const QWidget* windows[] = {&a, &b};
    QPoint* at[] = {&aAt, &bAt};
    xcb_translate_coordinates_cookie_t cookies[2] = {};
    for (int i = 0; i < 2; ++i)
        if (const WId id = windows[i]->internalWinId())
            cookies[i] =
                xcb_translate_coordinates(connection_, static_cast<xcb_window_t>(id), root_, 0, 0);
    for (int i = 0; i < 2; ++i) {
        if (!windows[i]->internalWinId())
            continue;
        xcb_translate_coordinates_reply_t* r =
            xcb_translate_coordinates_reply(connection_, cookies[i], nullptr);
        if (r && r->same_screen)
            *at[i] += QPoint(r->dst_x, r->dst_y) - windows[i]->geometry().topLeft();
        std::free(r);
    }
#endif
}

} // namespace lanternix
