// Brindlecot — module attach, script entry and the per-frame main loop.

#pragma once

#include "host/platform.h"

// The module's load notification: on process attach (reason 1) registers scriptEntry, on process
// detach (0) unregisters it; thread notices do nothing. Always 1.
PLUGIN_ENTRY BOOL pluginAttach(HMODULE module, DWORD reason, LPVOID reserved);

// One pass of the main loop: refresh the player, draw the status line and time its warning, probe
// the pads when due, poll and dispatch the trigger, run the custody step. The script calls it once a frame.
void mainLoopFrame();
