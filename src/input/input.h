// Brindlecot — settings file, gamepad choice and the debounced arrest trigger.

#pragma once

#include <cstdint>

// Probes XInput user indices 0..3 while no gamepad is chosen; keeps the lowest connected one. The
// next probe is timed from the first frame after it.
void findController();

// While no gamepad is chosen and a button is set, probes the pads again every kPadProbeIntervalMs,
// counted from the start's probe or from the read that lost the pad. Once a frame, before the poll.
void probePadsWhenDue();

// Reads the settings of input/settings.h from the Brindlecot.ini beside the module when it holds any
// key, or else from .\Brindlecot.ini, and the player's own texts from [Texts] of the same file. A
// value that cannot be read keeps its default, a text that cannot be shown the plugin's own; it, and
// a key that names no setting or text, is a slip: loadSettings counts them and keeps the first
// (state.h) for the status line to name.
void loadSettings();

// Once a frame: true when the arrest key or a gamepad choice goes down and the debounce has run out.
bool pollTrigger();

// Milliseconds that must pass after the end of a dispatch before the next trigger.
constexpr uint32_t kTriggerDebounceMs = 200;
// While no gamepad is chosen and a button is set, the pads are probed again this often: reading an
// empty slot is slow, so XInput asks for checks spaced out by seconds.
constexpr uint32_t kPadProbeIntervalMs = 2000;
