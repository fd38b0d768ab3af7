#pragma once

#include <array>
#include <cstdint>

namespace lanternix {

class RevealCanvas;
class Random;

// The About box's logo animation: the drip, the sparkle dissolve and the smear wipe. The state
// lives as long as the box; each activation resets part of it.
class Reveal {
public:
    static constexpr int LogoSize = 64;
    // Per-sparkle limits of draws in one tick; the third is 72 x 72.
    static constexpr std::array<int, 3> SparkTries{4096, 4096, 5184};
    // The drawing colour of a sparkle.
    static constexpr std::int32_t SparkColor = -1;

    enum Mode { Drip = 1, Sparkle = 2, Smear = 3 };

    // The effect of the current run, 1, 2 or 3.
    int RevealMode = Drip;
    // Row (drip) or column (smear) that the next tick reveals.
    int RevealStep = 0;
    // Marks of visited pixels, indexed [x][y]: 0 not visited, -1 visited.
    std::array<std::array<std::int16_t, LogoSize + 1>, LogoSize + 1> PixelDone{};
    // x, y of sparkle 1, then of sparkle 2 and 3. No reset touches them.
    std::array<int, 6> SparkPos{};

    // Run on every activation: picks the effect, rewinds the step, clears the marks.
    void Reset(Random& random);
    // One timer tick of the current effect. False when the effect has ended and the timer
    // must stop.
    bool Tick(RevealCanvas& canvas, Random& random);

    bool TickDrip(RevealCanvas& canvas);
    bool TickSparkle(RevealCanvas& canvas, Random& random);
    bool TickSmear(RevealCanvas& canvas);

private:
    void putBack(RevealCanvas& canvas, int sparkle);
};

} // namespace lanternix
