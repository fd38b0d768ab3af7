#pragma once

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

} // namespace lanternix
