// Brindlecot scenes — the plugin's cuff draw.

#include "scenes/cuff_draw.h"

#include <cstdlib>

#include "arrest/tuning.h"

namespace scenes {

// A resist chance of 0 or 100 leaves one way without any tick.
constexpr uint32_t kSearchLimit = 1000000;

int cuffDrawAt(uint32_t tick) {
    std::srand(tick);
    return std::rand() % 100;
}

uint32_t startTickWhereSuspect(bool resists, uint32_t from) {
    for (uint32_t n = 0; n < kSearchLimit; ++n) {
        if ((cuffDrawAt(from + n) < kResistChancePercent) == resists) return from + n;
    }
    return from;
}

}  // namespace scenes
