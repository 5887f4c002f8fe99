// Brindlecot — module attach, script entry and the per-frame main loop.

#include "script.h"

#include <cstdlib>

#include "arrest/arrest.h"
#include "host/natives.h"
#include "hud/settings_texts.h"
#include "hud/status.h"
#include "hud/texts.h"
#include "input/input.h"
#include "state.h"

// The script's own steps; only mainLoopFrame is reached from outside (script.h).
static void scriptEntry();      // forgets an earlier run's arrest, seeds rand from the tick, then mainLoop
static void mainLoop();         // controller scan, settings, the language and the texts, then one mainLoopFrame a frame
static void refreshPlayer();    // playerPed and playerPos for this frame
static void dispatchTrigger();  // one accepted trigger: begin, release or cuff

constexpr DWORD kProcessDetach = 0;
constexpr DWORD kProcessAttach = 1;

// The host keeps the script until the module says it goes: without the unregister, its reload of
// plugins would run a fibre in a module that is no longer there.
BOOL pluginAttach(HMODULE module, DWORD reason, LPVOID /*reserved*/) {
    if (reason == kProcessAttach) {
        g_arrest.module = module;  // the settings are looked for beside it
        scriptRegister(module, scriptEntry);
    } else if (reason == kProcessDetach) {
        scriptUnregister(module);
    }
    return 1;
}

#ifdef _WIN32
// The C runtime's DLL start-up calls DllMain by its C name once it has constructed the globals.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    return pluginAttach(module, reason, reserved);
}
#endif

// The host runs the entry again when the game is reloaded, with the module still loaded.
static void scriptEntry() {
    forgetArrest();
    std::srand(static_cast<unsigned>(GetTickCount()));
    mainLoop();
}

static void mainLoop() {
    findController();
    loadSettings();
    chooseLanguage();
    showSettingsWarning();
    fillDriveText();
    for (;;) {
        mainLoopFrame();
        scriptWait(0);
    }
}

void mainLoopFrame() {
    refreshPlayer();
    if (g_arrest.settings.showMsg != 0) drawStatusMessage();
    expireSettingsWarning();
    probePadsWhenDue();
    if (pollTrigger()) dispatchTrigger();
    if (g_arrest.inCustody) updateCustody();
}

static void refreshPlayer() {
    g_arrest.playerPed = getPlayerPed();
    g_arrest.playerPos = getEntityPosition(g_arrest.playerPed);
}

// The tick is stamped before and again after the stages, so the debounce runs from the end of a
// dispatch that waited.
static void dispatchTrigger() {
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
    g_arrest.frameTick = g_arrest.lastTriggerTick;  // a stage may have waited
}
