// Brindlecot — settings file, gamepad choice and the debounced arrest trigger.

#pragma once

#include <cstdint>

// Probes XInput user indices 0..3 while no gamepad is chosen; keeps the lowest connected one.
void findController();

// Reads the settings of input/settings.h from the Brindlecot.ini beside the module, or from
// .\Brindlecot.ini when none is there. A value that cannot be read keeps its default, and the status
// line says so. Also fills in the drive text with the arrest key as set.
void loadSettings();

// Once a frame: true when the arrest key or the gamepad mask fires and the debounce has run out.
// Its clock reads also time the settings warning and, while no gamepad is chosen, the next probe.
bool pollTrigger();

// Milliseconds that must pass after the end of a dispatch before the next trigger.
constexpr uint32_t kTriggerDebounceMs = 200;
// While no gamepad is chosen and a button is set, the pads are probed again this often: reading an
// empty slot is slow, so XInput asks for checks spaced out by seconds.
constexpr uint32_t kPadProbeIntervalMs = 2000;
// How long the line shows what could not be read in the settings, unless another text replaces it;
// only time the game is on screen counts, none under its loading screen.
constexpr uint32_t kSettingsWarningMs = 10000;
