// Brindlecot — settings file, gamepad choice and the debounced arrest trigger.

#pragma once

// Probes XInput user indices 0..3 while no gamepad is chosen; keeps the lowest connected one.
void findController();

// Reads the settings from .\Brindlecot.ini, falling back to the defaults.
void loadSettings();

// True when the arrest key or the gamepad mask fires and the debounce has run out.
bool pollTrigger();

// Milliseconds that must pass after the end of a dispatch before the next trigger.
constexpr unsigned kTriggerDebounceMs = 200;
