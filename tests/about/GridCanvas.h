#pragma once

#include "about/Random.h"
#include "about/RevealCanvas.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <deque>
#include <vector>

namespace lanternix::test {

// A source with a distinct colour per pixel (and -1 outside), and a target grid large enough
// for everything the effects draw past the logo. Every write is recorded.
class GridCanvas : public RevealCanvas {
public:
    static constexpr int Size = 80;
    static constexpr std::int32_t Background = 0x123456;

    struct Write {
        int x, y;
        std::int32_t color;
    };

    static std::int32_t source(int x, int y) {
        if (x < 0 || y < 0 || x > 63 || y > 63)
            return -1;
        return (x * 3 + 1) | ((y * 3 + 2) << 8) | (((x + y) * 2) << 16);
    }

    GridCanvas() {
        for (auto& column : target)
            column.fill(Background);
    }

    std::int32_t Point(float x, float y) override {
        return source(static_cast<int>(x), static_cast<int>(y));
    }
    void PSet(float x, float y, std::int32_t color) override {
        set(static_cast<int>(x), static_cast<int>(y), color);
    }
    void Line(float x1, float y1, float x2, float y2, std::int32_t color) override {
        const int ax = static_cast<int>(x1), ay = static_cast<int>(y1);
        const int bx = static_cast<int>(x2), by = static_cast<int>(y2);
        // The effects only draw rows and columns.
        ASSERT_TRUE(ax == bx || ay == by);
        const int n = std::max(std::abs(bx - ax), std::abs(by - ay));
        const int dx = bx > ax ? 1 : bx < ax ? -1 : 0;
        const int dy = by > ay ? 1 : by < ay ? -1 : 0;
        for (int i = 0; i <= n; ++i)
            set(ax + i * dx, ay + i * dy, color);
    }
    void SetPictureFromSource() override {
        ++pictureSets;
        for (int x = 0; x < 64; ++x)
            for (int y = 0; y < 64; ++y)
                target[x][y] = source(x, y);
    }

    std::int32_t at(int x, int y) const { return target[x][y]; }

    std::array<std::array<std::int32_t, Size>, Size> target{};
    std::vector<Write> writes;
    int pictureSets = 0;

private:
    void set(int x, int y, std::int32_t color) {
        writes.push_back({x, y, color});
        ASSERT_TRUE(x >= 0 && y >= 0 && x < Size && y < Size) << x << "," << y;
        target[x][y] = color;
    }
};

// Hands out the scripted draws first, then `rest` for ever; counts every draw.
class ScriptedRandom : public Random {
public:
    std::deque<double> script;
    double rest = 0.0;
    long draws = 0;

    double Rnd() override {
        ++draws;
        if (script.empty())
            return rest;
        const double v = script.front();
        script.pop_front();
        return v;
    }
    // The draws that land on pixel (x, y).
    void aim(int x, int y) {
        script.push_back((x + 0.5) / 64.0);
        script.push_back((y + 0.5) / 64.0);
    }
};

} // namespace lanternix::test
