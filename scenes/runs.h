// Brindlecot scenes — scripted runs that drive the plugin through a whole situation.
//
// Each run builds its scene on a fresh Host (constructed with the run's start tick), loads the
// module, plays the situation and answers what went wrong with its expected outcome ("" when it
// held). The Linux tests and the Windows runner play the same list, so their traces can be compared
// entry by entry.

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/host.h"

namespace scenes {

struct ScriptedRun {
    const char* name;
    // GetTickCount at load. The script seeds rand with it, so it decides whether the suspect resists.
    uint32_t startTick;
    std::string (*play)(sim::Host& host);
};

const std::vector<ScriptedRun>& scriptedRuns();
// The hand-overs at the game's police stations; scriptedRuns() plays them after its own.
const std::vector<ScriptedRun>& stationRuns();
// The settings file's runs (words, the file beside the module, the warning); played after those.
const std::vector<ScriptedRun>& settingsRuns();

}  // namespace scenes
