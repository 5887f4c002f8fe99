// Brindlecot — module attach, script entry and the per-frame main loop.
//
//   [SECTION] Module attach
//   [SECTION] Script entry and main loop
//   [SECTION] Frame steps

#include "script.h"

#include <cstdlib>

#include "arrest/arrest.h"
#include "host/natives.h"
#include "hud/status.h"
#include "input/input.h"
#include "state.h"

//-----------------------------------------------------------------------------
// [SECTION] Module attach
//-----------------------------------------------------------------------------

constexpr DWORD kProcessAttach = 1;

BOOL pluginAttach(HMODULE module, DWORD reason, LPVOID /*reserved*/) {
    if (reason == kProcessAttach) scriptRegister(module, scriptEntry);
    return 1;
}

#ifdef _WIN32
// The C runtime's DLL start-up calls DllMain by its C name once it has constructed the globals.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    return pluginAttach(module, reason, reserved);
}
#endif

//-----------------------------------------------------------------------------
// [SECTION] Script entry and main loop
//-----------------------------------------------------------------------------

void scriptEntry() {
    std::srand(static_cast<unsigned>(GetTickCount()));
    mainLoop();
}

void mainLoop() {
    findController();
    loadSettings();
    for (;;) {
        mainLoopFrame();
        scriptWait(0);
    }
}

void mainLoopFrame() {
    refreshPlayer();
    if (g_arrest.settings.showMsg != 0) drawStatusMessage();
    if (pollTrigger()) dispatchTrigger();
    if (g_arrest.inCustody) updateCustody();
}

//-----------------------------------------------------------------------------
// [SECTION] Frame steps
//-----------------------------------------------------------------------------

void refreshPlayer() {
    g_arrest.playerPed = getPlayerPed();
    g_arrest.playerPos = getEntityPosition(g_arrest.playerPed);
}

// The tick is stamped before and again after the stages, so the debounce runs from the end of a
// dispatch that waited.
void dispatchTrigger() {
    g_arrest.lastTriggerTick = GetTickCount();
    // "Nothing found" leaves the variable as the host pleases: it is not a target then.
    if (!queryAimedEntity(getPlayerIndex(), &g_arrest.targetEntity)) g_arrest.targetEntity = 0;
    if (g_arrest.targetEntity >= 1) {
        beginArrest();
    } else {
        if (g_arrest.isEscorting || g_arrest.isTransporting) releaseSuspect();
        if (g_arrest.awaitingCuffs) tryCuffSuspect();
    }
    g_arrest.lastTriggerTick = GetTickCount();
}
