// Brindlecot scenes — the plugin's cuff draw.

#include "scenes/cuff_draw.h"

#include <cstdlib>

#include "arrest/tuning.h"

namespace scenes {

int cuffDrawAt(uint32_t tick) {
    std::srand(tick);
    return std::rand() % 100;
}

uint32_t startTickWhereSuspect(bool resists, uint32_t from) {
    for (uint32_t tick = from;; ++tick) {
        if ((cuffDrawAt(tick) < kResistChancePercent) == resists) return tick;
    }
}

}  // namespace scenes
