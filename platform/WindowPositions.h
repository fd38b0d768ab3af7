#pragma once

#include <QPoint>

#include <cstdint>

class QWidget;
struct xcb_connection_t;

namespace lanternix {

// Where top-level windows' frames stand on the screen, in pixels. On X11 the server is asked:
// the toolkit's own copy of a position lags behind a window manager's drag until the drag
// ends. Elsewhere the toolkit's copy is the answer.
class WindowPositions {
public:
    WindowPositions();

    // Both windows in one round trip to the server.
    void read(const QWidget& a, QPoint& aAt, const QWidget& b, QPoint& bAt) const;

    bool asksServer() const { return connection_ != nullptr; }

private:
    xcb_connection_t* connection_ = nullptr;
    std::uint32_t root_ = 0;
};

} // namespace lanternix
