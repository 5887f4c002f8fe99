// Brindlecot — the status line's texts made from the settings: the warning about what the settings
// file held that could not be read, shown for a while, and the drive text that names the binding.

#pragma once

#include <cstdint>

// After loadSettings: shows the warning naming the first slip, "(and N more)" after it, or takes
// down the warning of an earlier start when there is none now.
void showSettingsWarning();

// After loadSettings: "(or set him free Shift+F4)", the keyboard binding, or the first gamepad
// choice when the key is off; with neither, nothing sets him free and the text names nothing.
void fillDriveText();

// Once a frame, after the line is drawn: takes the warning down when it has been on screen for
// kSettingsWarningMs. Reads the clock, and asks about the loading screen, only while it is up.
void expireSettingsWarning();

// How long the line shows what could not be read in the settings, unless another text replaces it;
// only time the game is on screen counts, none under its loading screen.
constexpr uint32_t kSettingsWarningMs = 10000;
