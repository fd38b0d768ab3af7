#include "platform/WindowPositions.h"

#include <QGuiApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#ifdef LANTERNIX_XCB
#include <xcb/xcb.h>

#include <cstdlib>

using namespace lanternix;

// The places come from the X server, which knows of a move made by another client (a window
// manager's drag) before the toolkit does.
TEST(WindowPositions, ComeFromTheXServer) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X display; ctest runs it under Xvfb";
    QWidget a, b;
    a.setGeometry(100, 100, 200, 100);
    b.setGeometry(400, 100, 200, 100);
    a.show(), b.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&a) && QTest::qWaitForWindowExposed(&b));
    xcb_connection_t* other = xcb_connect(nullptr, nullptr);
    for (QWidget* w : {&a, &b}) {
        const std::uint32_t to[] = {w == &a ? 50u : 150u, 250};
        xcb_configure_window(other, static_cast<xcb_window_t>(w->winId()),
                             XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, to);
    }
    std::free(xcb_get_input_focus_reply(other, xcb_get_input_focus(other), nullptr)); // done
    QPoint aAt, bAt;
    WindowPositions().read(a, aAt, b, bAt);
    EXPECT_EQ(std::tuple(aAt, bAt, b.pos()),
              std::tuple(QPoint(50, 250), QPoint(150, 250), QPoint(400, 100))); // not heard of yet
    xcb_disconnect(other);
}
#endif
