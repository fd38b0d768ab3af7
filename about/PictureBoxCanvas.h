#pragma once

#include "about/RevealCanvas.h"

namespace lanternix {

class PictureBox;

// The reveal effects' canvas over two picture boxes: reads from the source, draws on the
// target.
class PictureBoxCanvas : public RevealCanvas {
public:
    PictureBoxCanvas(PictureBox& source, PictureBox& target) : source_(source), target_(target) {}

    std::int32_t Point(float x, float y) override;
    void PSet(float x, float y, std::int32_t color) override;
    void Line(float x1, float y1, float x2, float y2, std::int32_t color) override;
    void SetPictureFromSource() override;

private:
    PictureBox& source_;
    PictureBox& target_;
};

} // namespace lanternix
