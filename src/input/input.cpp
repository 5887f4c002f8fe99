// Brindlecot — settings file, gamepad choice and the debounced arrest trigger.

#include "input/input.h"

#include <cstring>

#include "host/natives.h"
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
// The names of the keys under [Brindlecot]: room for a few hundred, so that a file full of slips is
// counted; the reader cuts the list at a whole name.
constexpr DWORD kKeyListSize = 2048;
// How much of an unreadable value the warning quotes.
constexpr size_t kQuotedValueLength = 24;

// The key names under [Brindlecot] of the file at `path`, each ended by a NUL; the reader's count.
static DWORD readKeyNames(const char* path, char (&keys)[kKeyListSize]) {
    return GetPrivateProfileStringA(kIniSection, nullptr, "", keys, sizeof keys, path);
}

// The Brindlecot.ini in the module's folder when it holds any key, else the current folder's; `keys`
// gets the chosen file's key names. A module path that does not fit the buffer is never cut into
// another folder's name.
static const char* iniPath(char* path, char (&keys)[kKeyListSize], DWORD* keyCount) {
    const DWORD length = GetModuleFileNameA(g_arrest.module, path, kModulePathSize);
    size_t folder = length < kModulePathSize ? length : 0;
    while (folder > 0 && path[folder - 1] != '\\' && path[folder - 1] != '/')
        --folder;
    if (folder > 0 && folder + sizeof kIniName <= kModulePathSize) {
        std::memcpy(path + folder, kIniName, sizeof kIniName);
        *keyCount = readKeyNames(path, keys);
        if (*keyCount > 0) return path;
    }
    *keyCount = readKeyNames(kIniInCurrentFolder, keys);
    return kIniInCurrentFolder;
}

static const char* whatItIsNot(SettingKind kind, SettingSlip slip) {
    switch (slip) {
        case SettingSlip::ShootButton:
            return " is the mouse button that shoots, ";
        case SettingSlip::AimButton:
            return " is the mouse button that aims, ";
        case SettingSlip::TooManyButtons:
            return " is more than 4 choices of up to 4 buttons, ";
        case SettingSlip::None:
        case SettingSlip::Unreadable:
        case SettingSlip::NotASetting:
            break;
    }
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

// What the player wrote, cut, and without the host's colour marks (~), which would swallow the rest
// of the line.
static void quote(BoundedText& warning, const char* written) {
    size_t n = 0;
    for (; n < kQuotedValueLength && written[n] != '\0'; ++n)
        warning.add(written[n] == '~' || static_cast<unsigned char>(written[n]) < 0x20 ? '?' : written[n]);
    if (written[n] != '\0') warning.add("...");
}

// "Brindlecot.ini: key_arrest=F33 is not a key, F3 is used".
static void describeUnreadable(BoundedText& warning, const SettingRow& row, const char* written, SettingSlip slip) {
    warning.add(kIniName).add(": ").add(row.key).add('=');
    quote(warning, written);
    warning.add(whatItIsNot(row.kind, slip));
    addSettingValue(warning, row.kind, row.defaultValue);
    warning.add(" is used");
}

// "Brindlecot.ini: key_arest is not a setting".
static void describeUnknownKey(BoundedText& warning, const char* key) {
    warning.add(kIniName).add(": ");
    quote(warning, key);
    warning.add(" is not a setting");
}

// "(or set him free Shift+F4)": the keyboard key, or the first gamepad choice when the key is off;
// with neither, nothing sets him free, and the text names nothing.
static void fillDriveText() {
    const Settings& settings = g_arrest.settings;
    BoundedText text(g_arrest.driveText, sizeof g_arrest.driveText);
    text.add(kStatusDriveHead);
    if (settings.keyArrest == 0 && padChoice(settings.keyArrestGamepad, 0) == 0) return;
    text.add(kStatusDriveKeyBefore);
    if (settings.keyArrest == 0) {
        addPadChoice(text, settings.keyArrestGamepad, 0);
    } else {
        addKeyBinding(text, settings.keyArrest, "key ");
    }
    text.add(kStatusDriveKeyAfter);
}

void loadSettings() {
    char pathBuffer[kModulePathSize];
    char keys[kKeyListSize];
    DWORD keyCount = 0;
    const char* path = iniPath(pathBuffer, keys, &keyCount);
    BoundedText warning(g_arrest.settingsWarning, sizeof g_arrest.settingsWarning);
    int32_t unreadable = 0;
    for (const SettingRow& row : kSettingRows) {
        char written[kValueSize];
        const DWORD count = GetPrivateProfileStringA(kIniSection, row.key, "", written, sizeof written, path);
        SettingValue value = 0;
        SettingSlip slip = SettingSlip::None;
        if (!settingFromIni(row, written, count, sizeof written, &value, &slip) && unreadable++ == 0) {
            describeUnreadable(warning, row, written, slip);
        }
        g_arrest.settings.*row.field = value;
    }
    for (DWORD at = 0; at < keyCount && keys[at] != '\0'; at += static_cast<DWORD>(std::strlen(keys + at)) + 1) {
        if (settingRowNoCase(keys + at) == nullptr && unreadable++ == 0) describeUnknownKey(warning, keys + at);
    }
    if (unreadable > 1) warning.add(" (and ").addNumber(unreadable - 1).add(" more)");
    if (unreadable > 0) {
        g_arrest.settingsWarningTick = GetTickCount();
        g_arrest.settingsWarningShownMs = 0;
        g_arrest.settingsWarningCounting = 0;  // from the first frame that draws it
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

// The debounce counts elapsed time in unsigned 32-bit arithmetic, so it holds across the wrap of
// GetTickCount every 49.7 days instead of blocking the trigger until the tick catches up again.
static bool debounceElapsed(DWORD tick) {
    return static_cast<uint32_t>(tick - g_arrest.lastTriggerTick) > kTriggerDebounceMs;
}

// The trigger fires on a press, not on a key held down: a binding fires in the first frame in which
// it is read down after a frame in which it was read up. Both sources are read every frame, also
// while the debounce runs, so that a release is seen; a press that begins within the debounce is used
// up by it.

static bool isKeyDown(int virtualKey) { return (static_cast<uint16_t>(GetAsyncKeyState(virtualKey)) & 0x8000u) != 0; }

// The modifiers a key binding may ask for, and the keys that hold them (VK_SHIFT, VK_CONTROL, VK_MENU).
struct Modifier {
    SettingValue bit;
    int virtualKey;
};
constexpr Modifier kModifierKeys[] = {{kWithShift, 0x10}, {kWithCtrl, 0x11}, {kWithAlt, 0x12}};

// Whether the key binding went down since the last read: its key, and each modifier it names, which
// are read only while the key is down. A key without modifiers fires whatever modifiers are held.
static bool keyWentDown() {
    const SettingValue binding = g_arrest.settings.keyArrest;
    bool down = isKeyDown(static_cast<int>(binding & kKeyCodeBits));
    for (const Modifier& modifier : kModifierKeys) {
        if (down && (binding & modifier.bit) != 0) down = isKeyDown(modifier.virtualKey);
    }
    const bool pressed = down && !g_arrest.keyDown;
    g_arrest.keyDown = down ? 1 : 0;
    return pressed;
}

// Bit n for pad choice n when all its buttons are held.
static uint8_t padChoicesHeld(uint16_t buttons) {
    uint8_t held = 0;
    for (int n = 0; n < kMaxPadChoices; ++n) {
        const uint16_t choice = padChoice(g_arrest.settings.keyArrestGamepad, n);
        if (choice != 0 && (buttons & choice) == choice) held = static_cast<uint8_t>(held | 1u << n);
    }
    return held;
}

// Whether a pad choice went down since the last read: the last of its buttons went down, in whatever
// order they were pressed. A pad that answers "not connected" is forgotten, its buttons up; the
// probes look for it again from this tick on.
static bool padChoiceWentDown(DWORD tick) {
    if (readPad(static_cast<DWORD>(g_arrest.padIndex)) == kDeviceNotConnected) {
        g_arrest.padIndex = -1;
        g_arrest.padProbeTick = tick;
        g_arrest.padProbeTimed = 1;
        g_arrest.padChoicesDown = 0;
        return false;
    }
    const uint8_t held = padChoicesHeld(g_arrest.padState.Gamepad.wButtons);
    const bool pressed = (held & ~g_arrest.padChoicesDown) != 0;
    g_arrest.padChoicesDown = held;
    return pressed;
}

// The warning's time runs only while the game is on screen: the host may run scripts under its
// loading screen, and a frame drawn there is never seen, so the time until the next frame does not
// count. With the line off nothing is drawn to be seen, and the host is not asked.
static void expireSettingsWarning(DWORD tick) {
    if (g_arrest.statusMessage != g_arrest.settingsWarning) return;
    if (g_arrest.settingsWarningCounting) {
        g_arrest.settingsWarningShownMs += static_cast<uint32_t>(tick - g_arrest.settingsWarningTick);
    }
    g_arrest.settingsWarningTick = tick;
    g_arrest.settingsWarningCounting = g_arrest.settings.showMsg == 0 || !isLoadingScreenActive();
    if (g_arrest.settingsWarningShownMs >= kSettingsWarningMs) setStatusMessage(kStatusEmpty);
}

bool pollTrigger() {
    const DWORD first = GetTickCount();
    expireSettingsWarning(first);
    if (keyWentDown() && debounceElapsed(first)) {
        // The pad is not read in this frame: its choices count as held with the key, so a button
        // pressed together with it is the same press.
        g_arrest.padChoicesDown = kAllPadChoices;
        return true;
    }
    const DWORD second = GetTickCount();
    probeWhenDue(second);
    if (g_arrest.padIndex == -1) return false;
    return padChoiceWentDown(second) && debounceElapsed(second);
}
