#pragma once

#include "platform/ClickTracker.h"

#include <QFrame>
#include <QImage>

#include <cstdint>

namespace lanternix {

// A picture box: a drawing surface the size of its inner area, with pixel reads and writes,
// lines, and a picture of its own. Coordinates are pixels of the inner area.
//
// Drawing goes into the surface, so it survives repaints. Colours are 0x00BBGGRR; a negative
// colour (-1 for the About box's sparkles, or what its smear's subtraction gives) is drawn
// with its low 24 bits, so -1 is white.
class PictureBox : public QFrame {
    Q_OBJECT
public:
    enum BorderStyle { None = 0, Fixed3D = 1 };

    explicit PictureBox(BorderStyle border, QWidget* parent = nullptr);

    // Places the box by its outer rectangle and sizes the surface to the inner area; what was
    // drawn is kept where it still fits.
    void place(int left, int top, int width, int height);

    // The colour at (x, y), or -1 outside the inner area.
    std::int32_t Point(float x, float y) const;
    void PSet(float x, float y, std::int32_t color);
    // Both end points included; parts outside the inner area are dropped.
    void Line(float x1, float y1, float x2, float y2, std::int32_t color);

    const QImage& Picture() const { return picture_; }
    // Shows the picture at the top left over the background, replacing what was drawn.
    void setPicture(const QImage& picture);

    // What the inner area shows.
    const QImage& surface() const { return surface_; }

    static QRgb toRgb(std::int32_t color);
    static std::int32_t fromRgb(QRgb rgb);

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void resizeSurface();
    void set(int x, int y, QRgb rgb);

    QImage picture_;
    QImage surface_;
    ClickTracker clicks_;
};

} // namespace lanternix
