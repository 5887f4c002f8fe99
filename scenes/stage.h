// Brindlecot scenes — the stage of an arrest, as everything outside the plugin names it.
//
// The plugin keeps its stage in four flags (inCustody, awaitingCuffs, isEscorting, isTransporting);
// tests, the demo and the benchmark read it through stageOf and name it through stageName.

#pragma once

#include <cstdint>

namespace scenes {

enum class Stage { None, Busted, Escort, Transport, Unknown };

// The stage the four flags encode; Unknown for any combination an arrest never passes through.
inline Stage stageOf(uint8_t inCustody, uint8_t awaitingCuffs, uint8_t isEscorting, uint8_t isTransporting) {
    const int flags =
        (inCustody != 0) << 3 | (awaitingCuffs != 0) << 2 | (isEscorting != 0) << 1 | (isTransporting != 0);
    switch (flags) {
        case 0b0000:
            return Stage::None;
        case 0b1100:
            return Stage::Busted;
        case 0b1010:
            return Stage::Escort;
        case 0b1001:
            return Stage::Transport;
    }
    return Stage::Unknown;
}

inline const char* stageName(Stage stage) {
    switch (stage) {
        case Stage::None:
            return "None";
        case Stage::Busted:
            return "Busted";
        case Stage::Escort:
            return "Escort";
        case Stage::Transport:
            return "Transport";
        case Stage::Unknown:
            break;
    }
    return "Unknown";
}

}  // namespace scenes
