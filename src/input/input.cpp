// Brindlecot — settings file, gamepad choice and the debounced arrest trigger.

#include "input/input.h"

#include <cstring>

#include "hud/status.h"
#include "input/settings.h"
#include "state.h"

//-----------------------------------------------------------------------------
// Settings file
//-----------------------------------------------------------------------------

static const char kIniSection[] = "Brindlecot";
static const char kIniName[] = "Brindlecot.ini";
static const char kIniInCurrentFolder[] = ".\\Brindlecot.ini";

constexpr DWORD kModulePathSize = 260;  // MAX_PATH
// Longer than any name or list of names (a value that fills it is not read).
constexpr DWORD kValueSize = 128;
// How much of an unreadable value the warning quotes.
constexpr size_t kQuotedValueLength = 24;

// The Brindlecot.ini in the module's folder when it holds settings, else the current folder's. A
// module path that does not fit the buffer is never cut into another folder's name.
static const char* iniPath(char* path) {
    const DWORD length = GetModuleFileNameA(g_arrest.module, path, kModulePathSize);
    if (length == 0 || length >= kModulePathSize) return kIniInCurrentFolder;
    size_t folder = length;
    while (folder > 0 && path[folder - 1] != '\\' && path[folder - 1] != '/')
        --folder;
    if (folder == 0 || folder + sizeof kIniName > kModulePathSize) return kIniInCurrentFolder;
    std::memcpy(path + folder, kIniName, sizeof kIniName);
    char keys[kValueSize];
    if (GetPrivateProfileStringA(kIniSection, nullptr, "", keys, sizeof keys, path) == 0) return kIniInCurrentFolder;
    return path;
}

static const char* whatItIsNot(SettingKind kind) {
    switch (kind) {
        case SettingKind::KeyCode:
            return " is not a key, ";
        case SettingKind::PadButtons:
            return " is not a gamepad button, ";
        case SettingKind::Flag:
            break;
    }
    return " is not on or off, ";
}

// "Brindlecot.ini: key_arrest=F33 is not a key, F3 is used". The value is quoted as written, cut, and
// without the host's colour marks (~), which would swallow the rest of the line.
static void describeUnreadable(BoundedText& warning, const SettingRow& row, const char* written) {
    warning.add(kIniName).add(": ").add(row.key).add('=');
    size_t n = 0;
    for (; n < kQuotedValueLength && written[n] != '\0'; ++n)
        warning.add(written[n] == '~' || static_cast<unsigned char>(written[n]) < 0x20 ? '?' : written[n]);
    if (written[n] != '\0') warning.add("...");
    warning.add(whatItIsNot(row.kind));
    addSettingValue(warning, row.kind, row.defaultValue);
    warning.add(" is used");
}

// "(or set him free F4)": the keyboard key, or the first gamepad button when the key is off; with
// neither, nothing sets him free, and the text names nothing.
static void fillDriveText() {
    const Settings& settings = g_arrest.settings;
    BoundedText text(g_arrest.driveText, sizeof g_arrest.driveText);
    text.add(kStatusDriveHead);
    const char* button = firstPadButtonName(settings.keyArrestGamepad);
    if (settings.keyArrest == 0 && button == nullptr) return;
    text.add(kStatusDriveKeyBefore);
    if (settings.keyArrest == 0) {
        text.add(button);
    } else if (!addKeyName(text, settings.keyArrest)) {
        text.add("key ").addNumber(settings.keyArrest);
    }
    text.add(kStatusDriveKeyAfter);
}

void loadSettings() {
    char pathBuffer[kModulePathSize];
    const char* path = iniPath(pathBuffer);
    BoundedText warning(g_arrest.settingsWarning, sizeof g_arrest.settingsWarning);
    int32_t unreadable = 0;
    for (const SettingRow& row : kSettingRows) {
        char written[kValueSize];
        const DWORD count = GetPrivateProfileStringA(kIniSection, row.key, "", written, sizeof written, path);
        int32_t value = 0;
        if (!settingFromIni(row, written, count, sizeof written, &value) && unreadable++ == 0) {
            describeUnreadable(warning, row, written);
        }
        g_arrest.settings.*row.field = value;
    }
    if (unreadable > 1) warning.add(" (and ").addNumber(unreadable - 1).add(" more)");
    if (unreadable > 0) {
        g_arrest.settingsWarningTick = GetTickCount();
        setStatusMessage(g_arrest.settingsWarning);
    } else if (g_arrest.statusMessage == g_arrest.settingsWarning) {
        setStatusMessage(kStatusEmpty);
    }
    fillDriveText();
}

//-----------------------------------------------------------------------------
// Gamepad
//-----------------------------------------------------------------------------

constexpr DWORD kDeviceNotConnected = 1167;  // ERROR_DEVICE_NOT_CONNECTED

// A failed read leaves the cleared buffer behind, so it always reads as no button held.
static DWORD readPad(DWORD userIndex) {
    std::memset(&g_arrest.padState, 0, sizeof g_arrest.padState);
    return XInputGetState(userIndex, &g_arrest.padState);
}

static void probePads() {
    for (int32_t index = 0; index < 4 && g_arrest.padIndex == -1; ++index) {
        if (readPad(static_cast<DWORD>(index)) == 0) g_arrest.padIndex = index;
    }
}

void findController() {
    g_arrest.padProbeTimed = 0;
    probePads();
}

// While no pad is chosen and a button is set, the pads are probed again every kPadProbeIntervalMs,
// counted from the start's probe (the first clock read after it) or from the read that lost the pad.
static void probeWhenDue(DWORD tick) {
    if (g_arrest.padIndex != -1 || g_arrest.settings.keyArrestGamepad == 0) return;
    const bool due =
        g_arrest.padProbeTimed && static_cast<uint32_t>(tick - g_arrest.padProbeTick) >= kPadProbeIntervalMs;
    if (due) probePads();
    if (due || !g_arrest.padProbeTimed) {
        g_arrest.padProbeTick = tick;
        g_arrest.padProbeTimed = 1;
    }
}

//-----------------------------------------------------------------------------
// Trigger
//-----------------------------------------------------------------------------

// The buttons of the mask (bits above the 16 of XInput's buttons word are none).
static uint16_t padMaskButtons() { return static_cast<uint16_t>(g_arrest.settings.keyArrestGamepad); }

// The debounce counts elapsed time in unsigned 32-bit arithmetic, so it holds across the wrap of
// GetTickCount every 49.7 days instead of blocking the trigger until the tick catches up again.
static bool debounceElapsed(DWORD tick) {
    return static_cast<uint32_t>(tick - g_arrest.lastTriggerTick) > kTriggerDebounceMs;
}

// The trigger fires on a press, not on a key held down: a source fires in the first frame in which it
// is read down after a frame in which it was read up. Both are read every frame, also while the
// debounce runs, so that a release is seen; a press that begins within the debounce is used up by it.

// Whether the arrest key went down since the last read.
static bool keyWentDown() {
    const bool down = (static_cast<uint16_t>(GetAsyncKeyState(g_arrest.settings.keyArrest)) & 0x8000u) != 0;
    const bool pressed = down && !g_arrest.keyDown;
    g_arrest.keyDown = down ? 1 : 0;
    return pressed;
}

// Whether a button of the mask went down since the last read. A pad that answers "not connected" is
// forgotten, its buttons up; the probes look for it again from this tick on.
static bool padButtonWentDown(DWORD tick) {
    if (readPad(static_cast<DWORD>(g_arrest.padIndex)) == kDeviceNotConnected) {
        g_arrest.padIndex = -1;
        g_arrest.padProbeTick = tick;
        g_arrest.padProbeTimed = 1;
        g_arrest.padButtonsDown = 0;
        return false;
    }
    const auto held = static_cast<uint16_t>(padMaskButtons() & g_arrest.padState.Gamepad.wButtons);
    const bool pressed = (held & ~g_arrest.padButtonsDown) != 0;
    g_arrest.padButtonsDown = held;
    return pressed;
}

static void expireSettingsWarning(DWORD tick) {
    if (g_arrest.statusMessage != g_arrest.settingsWarning) return;
    if (static_cast<uint32_t>(tick - g_arrest.settingsWarningTick) >= kSettingsWarningMs) {
        setStatusMessage(kStatusEmpty);
    }
}

// The clock it reads is also the frame's clock for the stages that time something (frameTick): they
// read no clock of their own.
bool pollTrigger() {
    const DWORD first = GetTickCount();
    g_arrest.frameTick = first;
    expireSettingsWarning(first);
    if (keyWentDown() && debounceElapsed(first)) {
        // The pad is not read in this frame: its buttons count as held with the key, so a button
        // pressed together with it is the same press.
        g_arrest.padButtonsDown = padMaskButtons();
        return true;
    }
    const DWORD second = GetTickCount();
    g_arrest.frameTick = second;
    probeWhenDue(second);
    if (g_arrest.padIndex == -1) return false;
    return padButtonWentDown(second) && debounceElapsed(second);
}
