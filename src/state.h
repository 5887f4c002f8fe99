// Brindlecot — the arrest state: the one record of everything the plugin knows.
//
// One instance, g_arrest, lives from module load to unload. Every field is zero at load except
// statusMessage (the empty text) and padIndex (-1); the record is constant-initialised, so nothing
// runs at load or unload to build or tear it down. Nothing is saved between runs of the game.

#pragma once

#include <cstddef>

#include "host/natives.h"
#include "host/platform.h"

// Read once at script start from Brindlecot.ini, section [Brindlecot] (input/settings.h holds the
// keys, defaults and the words each takes); a value that cannot be read keeps its default.
struct Settings {
    int64_t keyArrest;         // key_arrest: virtual-key code, modifiers above it (input/settings.h); 0 for none
    int64_t arrestMissionPed;  // arrest_mission_ped: non-zero allows mission peds
    int64_t keyArrestGamepad;  // key_arrest_gamepad: up to four choices of XInput buttons (input/settings.h)
    int64_t showMsg;           // show_msg: non-zero draws the status line
    int64_t nearestStation;    // nearest_station: non-zero hands over at the nearest station
    int64_t language;          // language: the game's language number, or kLanguageAuto (input/settings.h)
};

// The status line's empty text, the one the record starts with. It belongs to the catalogue of the
// line's texts (hud/status.h holds the other seven) but lives on this floor, where the record names it.
inline constexpr char kStatusEmpty[] = "";

// How much of a value or key that cannot be read the warning quotes.
constexpr size_t kSlipQuoteBytes = 24;

// The status line's texts: how many there are (hud/catalogue.h names them, in every language), and
// the room one takes, its NUL included. A player's text in [Texts] fits it or is refused.
constexpr int kTextCount = 26;
constexpr size_t kStatusTextBytes = 256;
// The texts put together from several: the drive text (three texts and the binding's name) and the
// warning (four texts, what was written, the default and a count).
constexpr size_t kDriveTextBytes = 3 * kStatusTextBytes + 64;
constexpr size_t kSettingsWarningBytes = 4 * kStatusTextBytes + 256;

struct ArrestState {
    // Suspect
    EntityHandle suspectPed = 0;    // beginArrest sets (aimed ped, then its clone); the host may rewrite it on release
    NativeVec3 suspectPos = {};     // whoever measures a distance to the suspect reads it first
    EntityHandle targetEntity = 0;  // the host writes it through the aim query; beginArrest hands it to deletion

    // Player and vehicles
    EntityHandle playerPed = 0;      // refreshPlayer each frame; the custody step's suspect check
    NativeVec3 playerPos = {};       // refreshPlayer each frame; tryCuffSuspect; the leash
    EntityHandle playerVehicle = 0;  // the leash only, every custody frame (current or last vehicle)
    NativeVec3 vehiclePos = {};      // the escort step, for its boarding test
    EntityHandle officerPed = 0;     // deliverAtPrecinct; handed back to the host at once

    // Boarding: the order into the car, which the seat watch follows during the transport
    EntityHandle boardingVehicle = 0;  // the boarding sets (the car he is ordered into); the next boarding replaces it
    int32_t boardingSeat = 0;          // the boarding sets (the seat he is ordered into); the next boarding replaces it
    uint32_t boardingTick = 0;         // the boarding sets (the frame's clock); the seat watch times its wait from it
    uint8_t awaitingSeat = 0;          // the boarding sets; the seat watch clears it once he sits or the wait is over

    // Hand-over
    int32_t station = 0;  // row of kStations: each boarding chooses it; the transport step and delivery read it

    // Stage flags: one of the four stages, see arrest/arrest.h
    uint8_t inCustody = 0;       // beginArrest sets; releaseSuspect clears
    uint8_t awaitingCuffs = 0;   // beginArrest sets; cuffSuspect and releaseSuspect clear
    uint8_t isEscorting = 0;     // cuffSuspect sets; beginArrest, the boarding and releaseSuspect clear
    uint8_t isTransporting = 0;  // the boarding sets; releaseSuspect clears

    // Trigger
    uint32_t lastTriggerTick = 0;  // dispatchTrigger, at its start and again at its end
    uint32_t frameTick = 0;        // pollTrigger at each clock read, dispatchTrigger at its end: the frame's clock
    uint8_t keyDown = 0;           // pollTrigger: the key binding as last read, down or up
    uint8_t padChoicesDown = 0;    // pollTrigger: bit n while pad choice n was last read down; 0 while no pad
                                   //   is read

    // Status line
    const char* statusMessage = kStatusEmpty;  // setStatusMessage: a text of statusText or one of the two below,
                                               //   no copy
    char driveText[kDriveTextBytes] = {};      // fillDriveText: the drive text, naming the binding as set
    char settingsWarning[kSettingsWarningBytes] = {};  // showSettingsWarning: what could not be read; rewritten at
                                                       //   each start
    uint8_t language = 0;  // chooseLanguage, at each start and each arrest: the game's number of the language shown
    char playerTexts[kTextCount][kStatusTextBytes] = {};  // loadSettings, from [Texts]: the player's own texts by
                                                          //   TextId, empty for none; rewritten at each start
    // The warning's own clock, kept by showSettingsWarning when it shows the warning and by
    // expireSettingsWarning after:
    uint32_t settingsWarningTick = 0;     //   the tick of the last frame it was timed in
    uint32_t settingsWarningShownMs = 0;  //   the time it has been on screen
    uint8_t settingsWarningCounting = 0;  //   whether the time since that frame counts: it was seen then,
                                          //   or the line is off

    // Settings and input
    Settings settings = {};      // loadSettings, once per script start
    HMODULE module = nullptr;    // pluginAttach, at process attach; loadSettings looks beside it for the INI
    int32_t padIndex = -1;       // findController and probePadsWhenDue; pollTrigger resets it to -1 when the
                                 //   chosen pad is gone
    uint32_t padProbeTick = 0;   // probePadsWhenDue, or pollTrigger losing the pad: the next probe waits from it
    uint8_t padProbeTimed = 0;   // set with padProbeTick; findController clears it
    XINPUT_STATE padState = {};  // the probes and pollTrigger, cleared before every read

    // Slips in the settings file: values that could not be read, keys that name no setting. loadSettings
    // counts them at each start and keeps the first for the warning (showSettingsWarning).
    int32_t settingsSlips = 0;
    int8_t firstSlipRow = -1;                         // its row of kSettingRows, or its text for a slip in
                                                      //   [Texts]; -1 for a key that names nothing
    uint8_t firstSlipWhy = 0;                         // why, a SettingSlip (input/settings.h)
    char firstSlipWritten[kSlipQuoteBytes + 2] = {};  // as written, one byte past what the warning quotes
};

extern ArrestState g_arrest;

// A start of the script after the game was reloaded: the arrest of the earlier run is over, its
// handles name nothing (or someone else) now, and no native is issued on them. Every field goes back
// to its load value except what outlives a start: the module, the gamepad chosen and its probe clock,
// the debounce and the press state (a key held across the start fires once it has been let go and
// pressed again). The settings are read again after it.
void forgetArrest();
