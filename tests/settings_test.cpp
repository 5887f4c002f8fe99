// Brindlecot tests — what the player's settings file does: which file is read, the warning about a
// value that cannot be read, and the drive text that names the key.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "hud/settings_texts.h"
#include "input/input.h"
#include "scenes/run_steps.h"
#include "scenes/runs.h"
#include "tests/scenario.h"

namespace {

constexpr int kF4 = 0x73;

// Ticks of the frames whose status line was drawn with `text`, elapsed from the start.
std::vector<uint32_t> drawnWith(const sim::Host& host, uint32_t startTick, const std::string& text) {
    std::vector<uint32_t> ticks;
    for (const sim::TraceEntry& e : host.trace.entries)
        if (e.call == "ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME(\"" + text + "\")") ticks.push_back(e.tick - startTick);
    return ticks;
}

}  // namespace

//-----------------------------------------------------------------------------
// Which file
//-----------------------------------------------------------------------------

// A Brindlecot.ini that is a folder.
const std::string kFolder = "<folder>";

struct FileCase {
    const char* name;
    std::string besideModule;  // in the module's folder, a subfolder of the game folder; empty: none
    std::string gameFolder;    // in the game folder; empty: none
    std::string moduleFolder;  // the subfolder's name; a long one does not fit the plugin's buffer
    int firingKey;
};

void PrintTo(const FileCase& c, std::ostream* out) { *out << c.name; }

class WhichFile : public Scenario, public ::testing::WithParamInterface<FileCase> {};

TEST_P(WhichFile, BesideTheModuleWinsWhenItHoldsSettings) {
    const FileCase& c = GetParam();
    host.moduleDirectory = host.workingDirectory + "/" + c.moduleFolder;
    auto write = [](const std::string& folder, const std::string& contents) {
        std::filesystem::create_directories(folder);
        if (contents == kFolder) {
            std::filesystem::create_directories(folder + "/Brindlecot.ini");
        } else {
            std::ofstream(folder + "/Brindlecot.ini", std::ios::binary) << contents;
        }
    };
    if (!c.besideModule.empty() && c.moduleFolder.size() < 200) write(host.moduleDirectory, c.besideModule);
    if (!c.gameFolder.empty()) write(host.workingDirectory, c.gameFolder);
    host.holdKey(c.firingKey);
    start();
    EXPECT_EQ(host.trace.count("GET_PLAYER_INDEX"), 1u) << host.trace.dump(0, 20);
    // The key names of the file beside the module, unless its path was cut, and of the game folder's
    // when that one holds none.
    const bool besideRead = c.moduleFolder.size() < 200;
    const bool besideWins = besideRead && c.besideModule.find("key_arrest") != std::string::npos;
    EXPECT_EQ(host.trace.count("GetPrivateProfileStringA(\"Brindlecot\", NULL"),
              (besideRead ? 1u : 0u) + (besideWins ? 0u : 1u))
        << "a cut path is never read";
    EXPECT_EQ(host.statusLine(), "") << "nothing to say about a file that is not there";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, WhichFile, ::testing::Values(
    FileCase{"BesideTheModule", "[Brindlecot]\nkey_arrest=F4\n", "[Brindlecot]\nkey_arrest=F2\n", "scripts", kF4},
    FileCase{"OnlyInTheGameFolder", "", "[Brindlecot]\nkey_arrest=F4\n", "scripts", kF4},
    FileCase{"BesideTheModuleWithoutSettings", "; nothing\n[Brindlecot]\n", "[Brindlecot]\nkey_arrest=F4\n", "scripts",
             kF4},
    FileCase{"BesideTheModuleAFolder", kFolder, "[Brindlecot]\nkey_arrest=F4\n", "scripts", kF4},
    FileCase{"BothFolders", kFolder, kFolder, "scripts", kF3},
    FileCase{"ModulePathTooLong", "[Brindlecot]\nkey_arrest=F2\n", "[Brindlecot]\nkey_arrest=F4\n",
             std::string(300, 'x'), kF4}), ByName());
// clang-format on

//-----------------------------------------------------------------------------
// The warning
//-----------------------------------------------------------------------------

struct WarningCase {
    const char* name;
    std::string ini;
    std::string said;  // empty: nothing said
};

void PrintTo(const WarningCase& c, std::ostream* out) { *out << c.name; }

class SettingsWarning : public Scenario, public ::testing::WithParamInterface<WarningCase> {};

// Drawn from the first frame for kSettingsWarningMs, then the line is empty; the default is used.
TEST_P(SettingsWarning, NamesTheFirstValueForTenSeconds) {
    const WarningCase& c = GetParam();
    host.setIni(c.ini);
    start();
    host.runFor(kSettingsWarningMs + 500);
    const std::vector<uint32_t> shown = drawnWith(host, 100000, c.said);
    const size_t asked = host.trace.count("GET_IS_LOADING_SCREEN_ACTIVE");
    if (c.said.empty()) {
        EXPECT_EQ(shown.size(), host.trace.count("SET_TEXT_FONT"));
        EXPECT_EQ(asked, 0u) << "without a warning the loading screen is never asked about";
        return;
    }
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(asked, shown.size()) << "once in each frame that draws the warning";
    EXPECT_EQ(shown.front(), 0u);
    EXPECT_GE(shown.back(), kSettingsWarningMs - 17);
    EXPECT_LE(shown.back(), kSettingsWarningMs);
    EXPECT_EQ(host.statusLine(), "");
}

// A file of 300 keys that are no setting: each is counted, and nothing overflows the key names' or
// the warning's buffer.
std::string unknownKeys(int count) {
    std::string ini = "[Brindlecot]\n";
    for (int n = 0; n < count; ++n)
        ini += "k" + std::to_string(1000 + n) + "=1\n";
    return ini;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, SettingsWarning, ::testing::Values(
    WarningCase{"HundredsOfKeysThatAreNoSetting", unknownKeys(300),
                "Brindlecot.ini: k1000 is not a setting (and 299 more)"},
    WarningCase{"AllReadable", "[Brindlecot]\nkey_arrest=f4\nshow_msg=yes\n", ""},
    WarningCase{"MisspeltKey", "[Brindlecot]\nkey_arrest=F33\n", "Brindlecot.ini: key_arrest=F33 is not a key, F3 is used"},
    WarningCase{"KeyCodeOutOfRange", "[Brindlecot]\nkey_arrest=255\n",
                "Brindlecot.ini: key_arrest=255 is not a key, F3 is used"},
    WarningCase{"ThreeUnreadable", "[Brindlecot]\narrest_mission_ped=maybe\nkey_arrest_gamepad=A,Z\nkey_arrest=F0\n",
                "Brindlecot.ini: key_arrest=F0 is not a key, F3 is used (and 2 more)"},
    WarningCase{"ButtonMisspelt", "[Brindlecot]\nkey_arrest_gamepad=A,Z\n",
                "Brindlecot.ini: key_arrest_gamepad=A,Z is not a gamepad button, off is used"},
    WarningCase{"NotASetting", "[Brindlecot]\nkey_arest=F4\n", "Brindlecot.ini: key_arest is not a setting"},
    WarningCase{"NotASettingAfterTheValues", "[Brindlecot]\nKEY_ARREST=F4\nshow_mgs=off\nkey_arrest_gamepad=A+\n",
                "Brindlecot.ini: key_arrest_gamepad=A+ is not a gamepad button, off is used (and 1 more)"},
    WarningCase{"ShootButton", "[Brindlecot]\nkey_arrest=1\n",
                "Brindlecot.ini: key_arrest=1 is the mouse button that shoots, F3 is used"},
    WarningCase{"AimButton", "[Brindlecot]\nkey_arrest=Shift+2\n",
                "Brindlecot.ini: key_arrest=Shift+2 is the mouse button that aims, F3 is used"},
    WarningCase{"TooManyChoices", "[Brindlecot]\nkey_arrest_gamepad=A,B,X,Y,LB\n",
                "Brindlecot.ini: key_arrest_gamepad=A,B,X,Y,LB is more than 4 choices or 4 buttons, off is used"},
    WarningCase{"CommentAfterAValueIsNoSlip", "[Brindlecot]\nshow_msg=on ; the line\nkey_arrest=F4 # mine\n", ""},
    WarningCase{"FlagWordUnknown", "[Brindlecot]\narrest_mission_ped=maybe\n",
                "Brindlecot.ini: arrest_mission_ped=maybe is not on or off, off is used"},
    WarningCase{"LongValueQuotedCutWithoutColourMarks", "[Brindlecot]\nkey_arrest=~r~" + std::string(40, 'k') + "\n",
                "Brindlecot.ini: key_arrest=?r?kkkkkkkkkkkkkkkkkkkkk... is not a key, F3 is used"}), ByName());
// clang-format on

// Another text replaces it at once, for good.
TEST_F(Scenario, TheWarningGivesWayToTheNextText) {
    host.setIni("[Brindlecot]\nkey_arrest=F33\n");
    const int32_t refused = host.world.spawnPed({3, 0, 30});
    entityOf(host.world, refused).inCombat = true;
    start();
    press(host, {refused});
    EXPECT_EQ(host.statusLine(), kStatusRefuseOnFoot);
    host.runFor(kSettingsWarningMs);
    EXPECT_EQ(host.statusLine(), kStatusRefuseOnFoot);
}

TEST_F(Scenario, TheWarningIsNotDrawnWithTheLineOff) {
    host.setIni("[Brindlecot]\nkey_arrest=F33\nshow_msg=off\n");
    start();
    host.runFrames(5);
    EXPECT_EQ(host.trace.count("SET_TEXT_FONT"), 0u);
    EXPECT_EQ(host.trace.count("GET_IS_LOADING_SCREEN_ACTIVE"), 0u) << "nothing drawn to be seen";
}

// The longest warning there is passes what one component shows: it reaches the game whole, in two.
TEST_F(Scenario, TheLongestWarningIsDrawnWholeInPieces) {
    const std::string value(30, 'Q');
    host.setIni("[Brindlecot]\nkey_arrest_gamepad=" + value + "\nshow_msg=maybe\nnearest_station=maybe\n");
    start();
    const std::string warning = "Brindlecot.ini: key_arrest_gamepad=" + value.substr(0, 24) +
                                "... is not a gamepad button, off is used (and 2 more)";
    ASSERT_GT(warning.size(), kTextComponentBytes);
    const std::vector<std::string> expected = piecedDrawOf({warning.substr(0, 99), warning.substr(99)});
    EXPECT_EQ(scriptCalls(host.trace, host.trace.find("SET_TEXT_FONT"), expected.size()), expected);
    EXPECT_EQ(host.statusLine(), warning);
}

// Nothing drawn under the game's loading screen is seen: the ten seconds count from when the game
// shows, here four seconds after the start.
TEST_F(Scenario, TheWarningOutlastsTheLoadingScreen) {
    host.setIni("[Brindlecot]\nkey_arrest=F33\n");
    host.world.loadingScreen = true;
    host.atTime(4000, [](sim::Host& h) { h.world.loadingScreen = false; });
    start();
    host.runFor(2000);
    EXPECT_EQ(host.statusLine(), "") << "drawn, but under the loading screen";
    host.runFor(4000 + kSettingsWarningMs - 10 - host.elapsedMs());
    EXPECT_EQ(host.statusLine(), "Brindlecot.ini: key_arrest=F33 is not a key, F3 is used");
    host.runFor(50);
    EXPECT_EQ(host.statusLine(), "");
}

//-----------------------------------------------------------------------------
// The drive text
//-----------------------------------------------------------------------------

struct DriveCase {
    const char* name;
    std::string ini;
    int key;                         // 0: the pad presses
    const char* free;                // the name in "(or set him free ...)"
    std::vector<int> alsoHeld = {};  // keys held throughout: the modifiers the binding asks for
    uint16_t buttons = kPadA;        // what the pad presses
};

void PrintTo(const DriveCase& c, std::ostream* out) { *out << c.name; }

class DriveText : public CustodyScenario, public ::testing::WithParamInterface<DriveCase> {};

TEST_P(DriveText, NamesTheKeyAsSet) {
    const DriveCase& c = GetParam();
    host.setIni(c.ini);
    host.pads[0].connected = true;
    for (const int key : c.alsoHeld)
        host.holdKey(key);
    car = world().parkLastVehicle({0, 20, 30});
    world().movePlayer({0, 0, 30});
    const int32_t ped = world().spawnPed({kBesideThePlayer, 0, 30});
    start();
    auto pressKey = [&](int32_t aim) {
        if (c.key != 0) {
            press(host, {aim, 14, c.key});
            return;
        }
        world().aimTarget = aim;
        host.pads[0].buttons = c.buttons;
        host.step();
        for (int wait = 0; wait < 200 && !endsLoopPass(host.trace, host.trace.size() - 1); ++wait)
            host.step();  // the take-over waits inside its pass
        host.pads[0].buttons = 0;
        world().aimTarget = 0;
        host.runFrames(14);
    };
    pressKey(ped);
    pressKey(0);
    ASSERT_EQ(host.statusLine(), kStatusEscort);
    entityOf(world(), car).pos = {kBesideThePlayer, 3, 30};
    host.runFrames(2);
    EXPECT_EQ(host.statusLine(), scenes::driveTextOf(c.free));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Keys, DriveText, ::testing::Values(
    DriveCase{"Default", "", kF3, "F3"},
    DriveCase{"NamedF4", "[Brindlecot]\nkey_arrest=F4\n", kF4, "F4"},
    DriveCase{"CodeOfF4", "[Brindlecot]\nkey_arrest=115\n", kF4, "F4"},
    DriveCase{"CodeWithoutAName", "[Brindlecot]\nkey_arrest=0x31\n", 0x31, "key 49"},
    DriveCase{"KeyOffFirstChoice", "[Brindlecot]\nkey_arrest=off\nkey_arrest_gamepad=A,LB+Y\n", 0, "A"},
    DriveCase{"WithShift", "[Brindlecot]\nkey_arrest=shift+f3\n", kF3, "Shift+F3", {0x10}},
    DriveCase{"LastFKey", "[Brindlecot]\nkey_arrest=F24\n", 0x87, "F24"},
    DriveCase{"LastNumPadKey", "[Brindlecot]\nkey_arrest=numpad9\n", 0x69, "NumPad9"},
    DriveCase{"EveryModifierAndTheLongestName", "[Brindlecot]\nkey_arrest=Alt+Ctrl+Shift+MouseMiddle\n", 0x04,
              "Shift+Ctrl+Alt+MouseMiddle", {0x10, 0x11, 0x12}},
    DriveCase{"KeyOffCombination", "[Brindlecot]\nkey_arrest=off\nkey_arrest_gamepad=A+LB,Y\n", 0, "LB+A", {},
              0x1100}), ByName());
// clang-format on

//-----------------------------------------------------------------------------
// The shipped INI
//-----------------------------------------------------------------------------

// In words, the shipped file makes the plugin do call for call what the numbers did, the settings
// file's own reads apart.
TEST(ShippedIni, PlaysAsTheNumbersDid) {
    std::ostringstream shipped;
    shipped << std::ifstream(BRINDLECOT_SHIPPED_INI).rdbuf();
    ASSERT_NE(shipped.str().find("key_arrest=F3"), std::string::npos) << BRINDLECOT_SHIPPED_INI;
    const std::string numbers =
        "[Brindlecot]\nkey_arrest=114\narrest_mission_ped=0\nkey_arrest_gamepad=0\nshow_msg=1\n";
    auto play = [](const scenes::ScriptedRun& run, const std::string& ini) {
        sim::Host host(run.startTick);
        host.setIni(ini);
        EXPECT_EQ(run.play(host), "") << run.name;
        std::vector<std::string> calls;
        for (const sim::TraceEntry& e : host.trace.entries)
            if (e.call.rfind("GetPrivateProfileStringA", 0) != 0) calls.push_back(e.text());
        return calls;
    };
    for (const scenes::ScriptedRun& run : scenes::scriptedRuns()) {
        const std::string name = run.name;
        if (name != "idle" && name != "resisted" && name != "released_by_key" && name != "whole_arrest") continue;
        EXPECT_EQ(play(run, shipped.str()), play(run, numbers)) << name;
    }
}

//-----------------------------------------------------------------------------
// Gamepad buttons by name
//-----------------------------------------------------------------------------

struct ButtonCase {
    const char* name;
    const char* written;  // key_arrest_gamepad
    uint16_t held;
    bool fires;
};

void PrintTo(const ButtonCase& c, std::ostream* out) { *out << c.name; }

class ButtonNames : public Scenario, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(ButtonNames, AnyOneOfThemFires) {
    const ButtonCase& c = GetParam();
    host.setIni(std::string("[Brindlecot]\nkey_arrest_gamepad=") + c.written + "\n");
    host.pads[0] = {true, c.held, 1};
    start();
    EXPECT_EQ(host.trace.count("GET_PLAYER_INDEX"), c.fires ? 1u : 0u);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Buttons, ButtonNames, ::testing::Values(
    ButtonCase{"FirstOfTwo", "A,Y", 0x1000, true},
    ButtonCase{"SecondOfTwo", "A,Y", 0x8000, true},
    ButtonCase{"NeitherOfTwo", "A,Y", 0x4000 | 0x0200, false},
    ButtonCase{"DPad", "dpadleft", 0x0004, true},
    ButtonCase{"Shoulder", " RB ", 0x0200, true}), ByName());
// clang-format on
