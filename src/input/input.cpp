// Brindlecot — settings file, gamepad choice and the debounced arrest trigger.

#include "input/input.h"

#include <cstring>

#include "state.h"

static const char kIniPath[] = ".\\Brindlecot.ini";
static const char kIniSection[] = "Brindlecot";

// What a missing file or key means.
constexpr int kDefaultKeyArrest = 114;       // F3
constexpr int kDefaultArrestMissionPed = 0;  // mission peds are refused
constexpr int kDefaultKeyArrestGamepad = 0;  // no gamepad
constexpr int kDefaultShowMsg = 1;           // the status line is drawn
constexpr int kDefaultNearestStation = 0;    // every hand-over at Mission Row

static int32_t readSetting(const char* key, int defaultValue) {
    return static_cast<int32_t>(GetPrivateProfileIntA(kIniSection, key, defaultValue, kIniPath));
}

void loadSettings() {
    Settings& settings = g_arrest.settings;
    settings.keyArrest = readSetting("key_arrest", kDefaultKeyArrest);
    settings.arrestMissionPed = readSetting("arrest_mission_ped", kDefaultArrestMissionPed);
    settings.keyArrestGamepad = readSetting("key_arrest_gamepad", kDefaultKeyArrestGamepad);
    settings.showMsg = readSetting("show_msg", kDefaultShowMsg);
    settings.nearestStation = readSetting("nearest_station", kDefaultNearestStation);
}

// A failed read leaves the cleared buffer behind, so it always reads as no button held.
static DWORD readPad(DWORD userIndex) {
    std::memset(&g_arrest.padState, 0, sizeof g_arrest.padState);
    return XInputGetState(userIndex, &g_arrest.padState);
}

void findController() {
    for (int32_t index = 0; index < 4 && g_arrest.padIndex == -1; ++index) {
        if (readPad(static_cast<DWORD>(index)) == 0) g_arrest.padIndex = index;
    }
}

// The debounce counts elapsed time in unsigned 32-bit arithmetic, so it holds across the wrap of
// GetTickCount every 49.7 days instead of blocking the trigger until the tick catches up again.
static bool debounceElapsed() {
    const DWORD tick = GetTickCount();
    return static_cast<uint32_t>(tick - g_arrest.lastTriggerTick) > kTriggerDebounceMs;
}

static bool keyHeld() { return (static_cast<uint16_t>(GetAsyncKeyState(g_arrest.settings.keyArrest)) & 0x8000u) != 0; }

static bool padMaskHeld() {
    readPad(static_cast<DWORD>(g_arrest.padIndex));
    const uint32_t buttons = g_arrest.padState.Gamepad.wButtons;
    return (static_cast<uint32_t>(g_arrest.settings.keyArrestGamepad) & buttons) != 0;
}

bool pollTrigger() {
    if (debounceElapsed() && keyHeld()) return true;
    if (!debounceElapsed()) return false;
    if (g_arrest.padIndex == -1) return false;
    return padMaskHeld();
}
