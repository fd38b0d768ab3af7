#include "platform/PictureBox.h"

#include <QPainter>

#include <cmath>
#include <cstdlib>

namespace lanternix {

namespace {

int pixel(float v) {
    return static_cast<int>(std::lround(v));
}

} // namespace

PictureBox::PictureBox(BorderStyle border, QWidget* parent) : QFrame(parent) {
    if (border == Fixed3D)
        setFrameStyle(QFrame::WinPanel | QFrame::Sunken); // two pixels, sunken
    else
        setFrameStyle(QFrame::NoFrame);
    setFocusPolicy(Qt::TabFocus);
    resizeSurface();
}

void PictureBox::place(int left, int top, int width, int height) {
    setGeometry(left, top, width, height);
    resizeSurface();
}

void PictureBox::resizeEvent(QResizeEvent* e) {
    QFrame::resizeEvent(e);
    resizeSurface();
}

void PictureBox::resizeSurface() {
    const QSize inner = contentsRect().size().expandedTo(QSize(0, 0));
    if (surface_.size() == inner)
        return;
    QImage next(inner, QImage::Format_RGB32);
    next.fill(palette().color(QPalette::Window));
    QPainter p(&next);
    if (!surface_.isNull())
        p.drawImage(0, 0, surface_);
    surface_ = next;
}

QRgb PictureBox::toRgb(std::int32_t color) {
    const auto c = static_cast<std::uint32_t>(color);
    return qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}

std::int32_t PictureBox::fromRgb(QRgb rgb) {
    return qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16);
}

std::int32_t PictureBox::Point(float x, float y) const {
    const int px = pixel(x), py = pixel(y);
    if (!surface_.valid(px, py))
        return -1;
    return fromRgb(surface_.pixel(px, py));
}

void PictureBox::set(int x, int y, QRgb rgb) {
    if (surface_.valid(x, y))
        surface_.setPixel(x, y, rgb);
}

void PictureBox::PSet(float x, float y, std::int32_t color) {
    set(pixel(x), pixel(y), toRgb(color));
    update(contentsRect());
}

void PictureBox::Line(float x1, float y1, float x2, float y2, std::int32_t color) {
    const QRgb rgb = toRgb(color);
    int x = pixel(x1), y = pixel(y1);
    const int ex = pixel(x2), ey = pixel(y2);
    const int dx = std::abs(ex - x), dy = -std::abs(ey - y);
    const int sx = x < ex ? 1 : -1, sy = y < ey ? 1 : -1;
    // A line far outside the box would only be clipped away pixel by pixel.
    const QRect bounds(-1, -1, surface_.width() + 2, surface_.height() + 2);
    if (!bounds.intersects(QRect(QPoint(std::min(x, ex), std::min(y, ey)),
                                 QPoint(std::max(x, ex), std::max(y, ey)))))
        return;
    int err = dx + dy;
    for (;;) {
        set(x, y, rgb);
        if (x == ex && y == ey)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    update(contentsRect());
}

void PictureBox::setPicture(const QImage& picture) {
    picture_ = picture;
    surface_.fill(palette().color(QPalette::Window));
    QPainter p(&surface_);
    p.drawImage(0, 0, picture_);
    p.end();
    update(contentsRect());
}

void PictureBox::paintEvent(QPaintEvent* e) {
    QFrame::paintEvent(e);
    QPainter p(this);
    p.drawImage(contentsRect().topLeft(), surface_);
}

void PictureBox::mousePressEvent(QMouseEvent* e) {
    clicks_.press(*e);
    QFrame::mousePressEvent(e);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* e) {
    const bool click = clicks_.release(*e, *this).click;
    QFrame::mouseReleaseEvent(e);
    if (click)
        emit Click();
}

} // namespace lanternix
