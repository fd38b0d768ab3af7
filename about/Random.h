#pragma once

#include <cstdint>
#include <random>

namespace lanternix {

// The random numbers of the About box: uniform draws in [0, 1) from a seedable generator.
// Virtual so that tests can script the draws.
class Random {
public:
    explicit Random(std::uint32_t seed = 0) : engine_(seed) {}
    virtual ~Random() = default;

    void Randomize(std::uint32_t seed) { engine_.seed(seed); }
    // Uniform in [0, 1); never 1.
    virtual double Rnd();

private:
    std::mt19937_64 engine_;
};

} // namespace lanternix
