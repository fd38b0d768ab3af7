#pragma once

#include <cstdint>

namespace lanternix {

// What the reveal effects draw with: pixel reads of the source picture, and pixel and line
// drawing on the target box. Colours are 0x00BBGGRR; the effects also pass -1 and other
// negative values on, which the canvas draws as it sees fit.
class RevealCanvas {
public:
    virtual ~RevealCanvas() = default;

    // Colour of the source picture at (x, y).
    virtual std::int32_t Point(float x, float y) = 0;
    // Sets one pixel of the target.
    virtual void PSet(float x, float y, std::int32_t color) = 0;
    // Draws a straight line on the target.
    virtual void Line(float x1, float y1, float x2, float y2, std::int32_t color) = 0;
    // Makes the source picture the target's own picture.
    virtual void SetPictureFromSource() = 0;
};

} // namespace lanternix
