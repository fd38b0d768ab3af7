#include "about/Random.h"

namespace lanternix {

double Random::Rnd() {
    // The top 53 bits make an exact double below 1; generate_canonical may round up to 1.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

} // namespace lanternix
