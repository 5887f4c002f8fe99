// Brindlecot — the one arrest state of the module.

#include "state.h"

#include <type_traits>

// The record's load state is a constant and it needs no tearing down: the loader maps it in with the
// module's data, and neither load nor unload runs any code for it.
static_assert(ArrestState().statusMessage == kStatusEmpty && ArrestState().padIndex == -1, "constant load state");
static_assert(std::is_trivially_destructible_v<ArrestState>, "nothing to run at unload");

ArrestState g_arrest;

void forgetArrest() {
    ArrestState fresh;
    fresh.module = g_arrest.module;
    fresh.padIndex = g_arrest.padIndex;
    fresh.padProbeTick = g_arrest.padProbeTick;
    fresh.padProbeTimed = g_arrest.padProbeTimed;
    fresh.padState = g_arrest.padState;
    fresh.lastTriggerTick = g_arrest.lastTriggerTick;
    fresh.keyDown = g_arrest.keyDown;
    fresh.padChoicesDown = g_arrest.padChoicesDown;
    g_arrest = fresh;
}
