// Brindlecot scenes — the plugin's cuff draw, found from the start tick.
//
// The plugin seeds rand() with the tick at start and its first rand() % 100 is the cuff draw: below
// the resist chance the suspect resists. Both use this process's rand(), the one the module shares.

#pragma once

#include <cstdint>

namespace scenes {

// The plugin's cuff draw for a script started at `tick`.
int cuffDrawAt(uint32_t tick);

// The first start tick at or after `from` whose draw makes the suspect resist or, with `resists`
// false, be cuffed; `from` itself when none of the next million does (a resist chance of 0 or 100).
uint32_t startTickWhereSuspect(bool resists, uint32_t from = 100000);

}  // namespace scenes
