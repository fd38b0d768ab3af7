#include "about/PictureBoxCanvas.h"

#include "platform/PictureBox.h"

namespace lanternix {

std::int32_t PictureBoxCanvas::Point(float x, float y) {
    return source_.Point(x, y);
}

void PictureBoxCanvas::PSet(float x, float y, std::int32_t color) {
    target_.PSet(x, y, color);
}

void PictureBoxCanvas::Line(float x1, float y1, float x2, float y2, std::int32_t color) {
    target_.Line(x1, y1, x2, y2, color);
}

void PictureBoxCanvas::SetPictureFromSource() {
    target_.setPicture(source_.Picture());
}

} // namespace lanternix
