// Brindlecot — module attach, script entry and the per-frame main loop.

#pragma once

#include "host/platform.h"

// The module's load notification: on process attach (reason 1) registers scriptEntry. Always 1.
PLUGIN_ENTRY BOOL pluginAttach(HMODULE module, DWORD reason, LPVOID reserved);

void scriptEntry();      // seeds rand from the tick, then mainLoop; never returns
void mainLoop();         // controller scan, settings, then one mainLoopFrame per frame; never returns
void mainLoopFrame();    // one pass: refresh, draw, poll and dispatch, custody step
void refreshPlayer();    // playerPed and playerPos for this frame
void dispatchTrigger();  // one accepted trigger: begin, release or cuff
