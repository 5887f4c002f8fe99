// Brindlecot scenes — scripted runs of the settings file: words, the file beside the module, the
// warning about a value that cannot be read, a gamepad that wakes late, the drive text and the
// language.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "arrest/tuning.h"
#include "hud/status.h"
#include "scenes/run_steps.h"
#include "scenes/runs.h"

namespace scenes {

using sim::Host;

namespace {

// The module lies in a subfolder with its own INI; the game folder's INI names another key.
std::string iniBesideModule(Host& host) {
    host.moduleDirectory = host.workingDirectory + "/scripts";
    std::filesystem::create_directories(host.moduleDirectory);
    std::ofstream(host.moduleDirectory + "/Brindlecot.ini", std::ios::binary)
        << "[Brindlecot]\nkey_arrest= f4 \nshow_msg=on\n";
    host.setIni("[Brindlecot]\nkey_arrest=F2\n");
    const int32_t ped = host.world.spawnPed({5, 0, 30});
    start(host);
    if (host.trace.count("GetPrivateProfileStringA(\"Brindlecot\", \"key_arrest\", \"\", 128, "
                         "\"<game>\\scripts\\Brindlecot.ini\")") != 1) {
        return "the INI beside the module was not read";
    }
    arrest(host, ped, kF2);
    arrest(host, ped, kF3);
    if (host.trace.count("CLONE_PED") != 0) return "a key other than F4 arrested";
    arrest(host, ped, kF4);
    return expectStatus(host, kStatusGetClose);
}

// Two values cannot be read: the first is named, with how many more; F3 stays the key.
std::string unreadableSettingsSaid(Host& host) {
    host.setIni("[Brindlecot]\nkey_arrest=F33\nshow_msg=maybe\n");
    const int32_t ped = host.world.spawnPed({5, 0, 30});
    start(host);
    // Whatever the default key is called: the unit tests hold the words.
    const std::string line = host.statusLine(), head = "Brindlecot.ini: key_arrest=F33 is not a key, ",
                      tail = " is used (and 1 more)";
    if (line.rfind(head, 0) != 0 || line.size() < head.size() + tail.size() ||
        line.compare(line.size() - tail.size(), tail.size(), tail) != 0) {
        return "status line is \"" + line + "\", expected the warning about key_arrest=F33 and one more";
    }
    arrest(host, ped);
    return expectStatus(host, kStatusGetClose);
}

// Gamepad buttons by name on a pad that wakes five seconds after the start: Y fires once it is found.
std::string gamepadNamesLate(Host& host) {
    host.setIni("[Brindlecot]\nkey_arrest=off\nkey_arrest_gamepad=A,Y\n");
    const int32_t ped = host.world.spawnPed({5, 0, 30});
    host.atTime(5000, [](Host& h) { h.pads[2].connected = true; });
    start(host);
    host.world.aimTarget = ped;
    host.pads[2].buttons = 0x8000;  // Y
    host.runFor(6000);              // the probe after the pad woke up finds it
    host.pads[2].buttons = 0;
    host.world.aimTarget = 0;
    host.runFrames(20);
    return expectStatus(host, kStatusGetClose);
}

// The drive text names the key as set.
std::string driveTextNamesTheKey(Host& host) {
    host.setIni("[Brindlecot]\nkey_arrest=115\n");
    host.world.parkLastVehicle({0, 10, 30});
    const int32_t ped = host.world.spawnPed({5, 0, 30});
    start(host);
    arrest(host, ped, kF4);
    host.world.movePlayer({5, std::min(kCuffRadius / 2, 1.0f), 30});
    host.runFrames(20);
    tap(host, kF4);
    host.world.movePlayer({0, 8, 30});
    host.runFrames(400);
    return expectStatus(host, driveTextOf("F4"));
}

// The game runs in French, then in Russian: each arrest speaks the language of its start, and the
// player's texts, read through the system's own reader, replace the catalogue's.
std::string textsInTheGamesLanguage(Host& host) {
    host.setIni(
        "[Brindlecot]\narrest_mission_ped=off\n[Texts]\nescort=~b~Ведите~w~ подозреваемого к машине\n"
        "drive_key_before=\" [\"\n");
    host.world.language = 1;
    host.world.parkLastVehicle({0, 10, 30});
    const int32_t missionPed = host.world.spawnPed({-5, 0, 30});
    host.world.find(missionPed)->missionEntity = true;
    const int32_t ped = host.world.spawnPed({5, 0, 30});
    start(host);
    arrest(host, missionPed);
    if (const std::string why = expectStatus(host, catalogueText(TextId::MissionPed, 1)); !why.empty()) return why;
    host.world.language = 7;
    arrest(host, ped);
    if (const std::string why = expectStatus(host, catalogueText(TextId::GetClose, 7)); !why.empty()) return why;
    host.world.movePlayer({5, std::min(kCuffRadius / 2, 1.0f), 30});
    host.runFrames(20);
    tap(host);
    if (const std::string why = expectStatus(host, "~b~Ведите~w~ подозреваемого к машине"); !why.empty()) return why;
    host.world.movePlayer({0, 8, 30});
    host.runFrames(400);
    return expectStatus(
        host, std::string(catalogueText(TextId::Drive, 7)) + " [F3" + catalogueText(TextId::DriveKeyAfter, 7));
}

}  // namespace

const std::vector<ScriptedRun>& settingsRuns() {
    static const std::vector<ScriptedRun> runs = {
        {"ini_beside_module", kCuffingTick, iniBesideModule},
        {"unreadable_settings_said", kCuffingTick, unreadableSettingsSaid},
        {"gamepad_names_late", kCuffingTick, gamepadNamesLate},
        {"drive_text_names_the_key", kCuffingTick, driveTextNamesTheKey},
        {"texts_in_the_games_language", kCuffingTick, textsInTheGamesLanguage},
    };
    return runs;
}

}  // namespace scenes
