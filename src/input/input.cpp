// Brindlecot — settings file, gamepad choice and the debounced arrest trigger.

#include "input/input.h"

#include <cstring>
#include <iterator>

#include "hud/texts.h"
#include "input/settings.h"
#include "state.h"

//-----------------------------------------------------------------------------
// Settings file
//-----------------------------------------------------------------------------

static const char kIniSection[] = "Brindlecot";
static const char kTextsSection[] = "Texts";
static const char kIniInCurrentFolder[] = ".\\Brindlecot.ini";

constexpr DWORD kModulePathSize = 260;  // MAX_PATH
// Longer than any name or list of names (a value that fills it is not read).
constexpr DWORD kValueSize = 128;
// The names of the keys under [Brindlecot]: room for a hundred or more, so that a file full of slips
// is counted; the reader cuts a longer list.
constexpr DWORD kKeyListSize = 2048;

// The key names under a section of the file at `path`, each ended by a NUL; the reader's count.
static DWORD readKeyNames(const char* section, const char* path, char (&keys)[kKeyListSize]) {
    return GetPrivateProfileStringA(section, nullptr, "", keys, sizeof keys, path);
}

// Calls `step` with each name of a key list as the reader wrote it.
template <typename Step>
static void forEachKey(const char (&keys)[kKeyListSize], DWORD count, Step step) {
    for (DWORD at = 0; at < count && keys[at] != '\0'; at += static_cast<DWORD>(std::strlen(keys + at)) + 1)
        step(keys + at);
}

// The path of the Brindlecot.ini beside the module, written into `path`; null when the module's path
// does not fit the buffer, which is never cut into another folder's name.
static const char* iniBesideModule(char* path) {
    const DWORD length = GetModuleFileNameA(g_arrest.module, path, kModulePathSize);
    size_t folder = length < kModulePathSize ? length : 0;
    while (folder > 0 && path[folder - 1] != '\\' && path[folder - 1] != '/')
        --folder;
    if (folder == 0 || folder + sizeof kIniName > kModulePathSize) return nullptr;
    std::memcpy(path + folder, kIniName, sizeof kIniName);
    return path;
}

// Counts a slip; the first one is kept, with what was written, for the warning to name.
static void noteSlip(int32_t row, SettingSlip why, const char* written) {
    if (g_arrest.settingsSlips++ > 0) return;
    g_arrest.firstSlipRow = static_cast<int8_t>(row);
    g_arrest.firstSlipWhy = static_cast<uint8_t>(why);
    BoundedText quoted(g_arrest.firstSlipWritten, sizeof g_arrest.firstSlipWritten);
    quoted.add(written);
}

// Each row's value, read from the chosen file; a slip keeps the default.
static void readSettingRows(const char* path) {
    for (int32_t n = 0; n < static_cast<int32_t>(std::size(kSettingRows)); ++n) {
        const SettingRow& row = kSettingRows[n];
        char written[kValueSize];
        const DWORD count = GetPrivateProfileStringA(kIniSection, row.key, "", written, sizeof written, path);
        SettingValue value = 0;
        SettingSlip why = SettingSlip::None;
        if (!settingFromIni(row, written, count, sizeof written, &value, &why)) noteSlip(n, why, written);
        g_arrest.settings.*row.field = value;
    }
}

// The keys under [Brindlecot] that name no setting: a misspelt key is a slip too.
static void noteUnknownKeys(const char (&keys)[kKeyListSize], DWORD count) {
    forEachKey(keys, count, [](const char* key) {
        if (settingRowNoCase(key) == nullptr) noteSlip(-1, SettingSlip::NotASetting, key);
    });
}

// One player's text under [Texts], read into its room as written; one that fills the room may go on
// beyond it, and is refused like one that could not be shown. The first of a key written twice wins,
// as the reader answers it.
static void readPlayerText(const char* key, const char* path) {
    const int text = textOfKeyNoCase(key);
    if (text < 0) {
        noteSlip(-1, SettingSlip::NotAText, key);
        return;
    }
    char* room = g_arrest.playerTexts[text];
    const DWORD count = GetPrivateProfileStringA(kTextsSection, key, "", room, kStatusTextBytes, path);
    const SettingSlip why = count + 1 >= kStatusTextBytes ? SettingSlip::TextTooLong : playerTextSlip(room);
    if (why == SettingSlip::None) return;
    room[0] = '\0';
    noteSlip(text, why, key);
}

// The player's own texts, from the file the settings came from; every other text stays the plugin's.
static void readPlayerTexts(const char* path) {
    for (char* room : g_arrest.playerTexts)
        room[0] = '\0';  // an empty room is no text of the player's
    char keys[kKeyListSize];
    const DWORD count = readKeyNames(kTextsSection, path, keys);
    forEachKey(keys, count, [path](const char* key) { readPlayerText(key, path); });
}

void loadSettings() {
    g_arrest.settingsSlips = 0;
    char pathBuffer[kModulePathSize];
    char keys[kKeyListSize];
    const char* path = iniBesideModule(pathBuffer);
    DWORD keyCount = path ? readKeyNames(kIniSection, path, keys) : 0;
    if (keyCount == 0) {
        path = kIniInCurrentFolder;
        keyCount = readKeyNames(kIniSection, path, keys);
    }
    readSettingRows(path);
    noteUnknownKeys(keys, keyCount);
    readPlayerTexts(path);
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

void probePadsWhenDue() {
    if (g_arrest.padIndex != -1 || g_arrest.settings.keyArrestGamepad == 0) return;
    const DWORD tick = GetTickCount();
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

// The clock it reads is also the frame's clock for the stages that time something (frameTick): they
// read no clock of their own.
bool pollTrigger() {
    const DWORD first = GetTickCount();
    g_arrest.frameTick = first;
    if (keyWentDown() && debounceElapsed(first)) {
        // The pad is not read in this frame: its choices count as held with the key, so a button
        // pressed together with it is the same press.
        g_arrest.padChoicesDown = kAllPadChoices;
        return true;
    }
    const DWORD second = GetTickCount();
    g_arrest.frameTick = second;
    if (g_arrest.padIndex == -1) return false;
    return padChoiceWentDown(second) && debounceElapsed(second);
}
