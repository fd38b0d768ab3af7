#pragma once

#include <QLatin1String>

#include <utility>

class QWidget;

namespace lanternix {

// Window geometry is kept in twips, as the program's layouts and docking rules are written.
constexpr int TwipsPerPixel = 15;
constexpr int toPixels(int twips) {
    return (twips + (twips >= 0 ? 7 : -7)) / TwipsPerPixel;
}
constexpr int toTwips(int pixels) {
    return pixels * TwipsPerPixel;
}

// Places a control inside its parent; all four values in twips.
void placeTwips(QWidget* w, int left, int top, int width, int height);

// A control owned by its parent, named after its role and placed in twips.
template <class W, class... Args>
W* newControl(QWidget* parent, const char* name, int left, int top, int width, int height,
              Args&&... args) {
    auto* c = new W(std::forward<Args>(args)..., parent);
    c->setObjectName(QLatin1String(name));
    placeTwips(c, left, top, width, height);
    return c;
}

} // namespace lanternix
