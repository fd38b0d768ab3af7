#include "about/Reveal.h"

#include "about/Random.h"
#include "about/RevealCanvas.h"

#include <cmath>

namespace lanternix {

namespace {

constexpr int Last = Reveal::LogoSize; // the loops run one pixel past the logo

float f(int v) {
    return static_cast<float>(v);
}

int floorTimes(double r, int n) {
    return static_cast<int>(std::floor(r * n));
}

// c - 256 as 32-bit arithmetic, wrapping instead of overflowing.
std::int32_t shadeOff(std::int32_t c) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(c) - 256u);
}

} // namespace

void Reveal::Reset(Random& random) {
    RevealMode = floorTimes(random.Rnd(), 3) + 1;
    RevealStep = 0;
    for (auto& column : PixelDone)
        column.fill(0);
}

bool Reveal::Tick(RevealCanvas& canvas, Random& random) {
    switch (RevealMode) {
    case Drip:
        return TickDrip(canvas);
    case Sparkle:
        return TickSparkle(canvas, random);
    case Smear:
        return TickSmear(canvas);
    default:
        return true;
    }
}

bool Reveal::TickDrip(RevealCanvas& canvas) {
    for (int x = 0; x <= Last; ++x) {
        const std::int32_t c = canvas.Point(f(x), f(RevealStep));
        canvas.Line(f(x), f(RevealStep), f(x), f(Last), c);
    }
    // Equality on purpose: a run restarted past the end keeps going below the logo.
    const bool ended = RevealStep == Last;
    if (ended)
        canvas.SetPictureFromSource();
    ++RevealStep;
    return !ended;
}

void Reveal::putBack(RevealCanvas& canvas, int sparkle) {
    const float x = f(SparkPos[2 * sparkle]);
    const float y = f(SparkPos[2 * sparkle + 1]);
    canvas.PSet(x, y, canvas.Point(x, y));
}

bool Reveal::TickSparkle(RevealCanvas& canvas, Random& random) {
    for (int s = 0; s < 3; ++s) {
        putBack(canvas, s);
        int x = 0;
        int y = 0;
        int tries = 0;
        do {
            x = floorTimes(random.Rnd(), LogoSize);
            y = floorTimes(random.Rnd(), LogoSize);
            SparkPos[2 * s] = x;
            SparkPos[2 * s + 1] = y;
            if (++tries > SparkTries[static_cast<std::size_t>(s)]) {
                // Unvisited pixels have grown too rare: put the logo back under every sparkle.
                for (int t = 0; t < 3; ++t)
                    putBack(canvas, t);
                return false;
            }
        } while (PixelDone[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] != 0);
        canvas.PSet(f(x), f(y), SparkColor);
        PixelDone[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] = -1;
    }
    return true;
}

bool Reveal::TickSmear(RevealCanvas& canvas) {
    for (int y = 0; y <= Last; ++y) {
        if (RevealStep == 0)
            canvas.Line(0, f(y), f(Last), f(y), canvas.Point(0, f(y)));
        canvas.PSet(f(RevealStep), f(y), canvas.Point(f(RevealStep), f(y)));
        const std::int32_t c = canvas.Point(f(RevealStep), f(y));
        canvas.Line(f(RevealStep + 1), f(y), f(RevealStep + 6), f(y), shadeOff(c));
    }
    const bool ended = RevealStep == Last;
    if (ended)
        canvas.SetPictureFromSource();
    ++RevealStep;
    return !ended;
}

} // namespace lanternix
