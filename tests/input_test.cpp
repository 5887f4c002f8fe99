// Brindlecot tests — settings file, gamepad choice and the debounced arrest trigger.
//
//   [SECTION] Trace helpers
//   [SECTION] Settings
//   [SECTION] Gamepad choice
//   [SECTION] Debounce and trigger sources
//   [SECTION] Pads that come late, go and come back
//   [SECTION] A long run across the tick wrap

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "input/input.h"
#include "tests/scenario.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

//-----------------------------------------------------------------------------
// [SECTION] Trace helpers
//-----------------------------------------------------------------------------

namespace {

constexpr int kKeyF6 = 0x75;

// A dispatch opens with the player index query, so its frames are the trigger's acceptances.
std::vector<uint64_t> dispatchFrames(const sim::Trace& trace) {
    std::vector<uint64_t> frames;
    for (const sim::TraceEntry& e : trace.entries)
        if (e.call == "GET_PLAYER_INDEX()") frames.push_back(e.frame);
    return frames;
}

// The calls with the given prefix made in one frame.
std::vector<std::string> callsIn(const sim::Trace& trace, uint64_t frame, const std::string& prefix) {
    std::vector<std::string> out;
    for (const sim::TraceEntry& e : trace.entries)
        if (e.frame == frame && e.call.compare(0, prefix.size(), prefix) == 0) out.push_back(e.call);
    return out;
}

std::vector<std::string> iniReads(const sim::Trace& trace) {
    std::vector<std::string> out;
    for (const sim::TraceEntry& e : trace.entries)
        if (e.call.rfind("GetPrivateProfileStringA", 0) == 0) out.push_back(e.text());
    return out;
}

// One value read as the plugin reads it: the key's answer from `file` (shown as the trace shows it).
std::string valueRead(const std::string& key, const std::string& file, const std::string& answer) {
    return "GetPrivateProfileStringA(\"Brindlecot\", \"" + key + "\", \"\", 128, \"" + file + "\") -> " +
           std::to_string(answer.size()) + " \"" + answer + "\"";
}

std::string padMaskIni(long long mask) { return "[Brindlecot]\nkey_arrest_gamepad=" + std::to_string(mask) + "\n"; }

}  // namespace

//-----------------------------------------------------------------------------
// [SECTION] Settings
//-----------------------------------------------------------------------------

struct SettingsCase {
    const char* name;
    std::string ini;                  // empty: no file at all
    std::vector<std::string> values;  // as read, in the table's order
    int arrestKey, otherKey;
    bool padFires, missionPedTaken, drawn;
};

void PrintTo(const SettingsCase& c, std::ostream* out) { *out << c.name; }

class SettingsFile : public Scenario, public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(SettingsFile, AreReadOnceInOrderAndSteerTriggerMissionPedsAndDrawing) {
    const SettingsCase& c = GetParam();
    if (!c.ini.empty()) host.setIni(c.ini);
    const int32_t missionPed = host.world.spawnPed({3, 0, 30});
    entityOf(host.world, missionPed).missionEntity = true;
    host.pads[0].connected = true;
    start();
    // A file with settings in the module's folder (the game folder here) is the one read; otherwise
    // the current folder's key names are read as well.
    const bool beside = c.ini.find("[Brindlecot]") == 0;
    const std::string file = beside ? "<game>\\Brindlecot.ini" : ".\\Brindlecot.ini";
    const std::vector<std::string> reads = iniReads(host.trace);
    const size_t keyLists = beside ? 1 : 2;
    ASSERT_EQ(reads.size(), 6 + keyLists + 1);
    EXPECT_EQ(
        reads[0].rfind("GetPrivateProfileStringA(\"Brindlecot\", NULL, \"\", 2048, \"<game>\\Brindlecot.ini\")", 0),
        0u);
    if (!beside) {
        EXPECT_EQ(
            reads[1].rfind("GetPrivateProfileStringA(\"Brindlecot\", NULL, \"\", 2048, \".\\Brindlecot.ini\")", 0), 0u);
    }
    EXPECT_THAT(
        std::vector<std::string>(reads.begin() + static_cast<std::ptrdiff_t>(keyLists), reads.end() - 1),
        ElementsAre(valueRead("key_arrest", file, c.values[0]), valueRead("arrest_mission_ped", file, c.values[1]),
                    valueRead("key_arrest_gamepad", file, c.values[2]), valueRead("show_msg", file, c.values[3]),
                    valueRead("nearest_station", file, ""), valueRead("language", file, "")));
    // Then the player's own texts of the same file, none here.
    EXPECT_EQ(reads.back().rfind("GetPrivateProfileStringA(\"Texts\", NULL, \"\", 2048, \"" + file + "\")", 0), 0u);
    // A changed file is not read again while the script runs.
    host.setIni("[Brindlecot]\nkey_arrest=65\nkey_arrest_gamepad=65535\nshow_msg=1\n");

    press(host, {0, Press::kFrameOnly, c.otherKey});
    host.pads[0].buttons = 0xFFFF;
    host.step();
    host.pads[0].buttons = 0;
    EXPECT_EQ(dispatchFrames(host.trace).size(), c.padFires ? 1u : 0u);
    host.runFrames(15);
    press(host, {missionPed, Press::kFrameOnly, c.arrestKey});
    host.runFrames(20);

    EXPECT_EQ(dispatchFrames(host.trace).size(), c.padFires ? 2u : 1u);
    EXPECT_EQ(host.trace.count("CLONE_PED"), c.missionPedTaken ? 1u : 0u);
    EXPECT_EQ(host.trace.count("GetPrivateProfileStringA"), 6 + keyLists + 1);
    EXPECT_EQ(host.trace.count("SET_TEXT_FONT"), c.drawn ? host.trace.count("scriptWait(0)") : 0u);
    EXPECT_EQ(host.trace.count("END_TEXT_COMMAND_DISPLAY_TEXT"), host.trace.count("SET_TEXT_FONT"));
    EXPECT_EQ(host.statusLine().find("Brindlecot.ini"), std::string::npos) << "every value could be read";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, SettingsFile, ::testing::Values(
    SettingsCase{"NoFile", "", {"", "", "", ""}, kF3, kKeyF6, false, false, true},
    SettingsCase{"OtherSection", "[Other]\nkey_arrest=117\n", {"", "", "", ""}, kF3, kKeyF6, false, false, true},
    SettingsCase{"AllSetInNumbers",
                 "[Brindlecot]\nkey_arrest=117\narrest_mission_ped=1\nkey_arrest_gamepad=4096\nshow_msg=0\n",
                 {"117", "1", "4096", "0"}, kKeyF6, kF3, true, true, false},
    SettingsCase{"AllSetInWords",
                 "[Brindlecot]\nkey_arrest = f6 \narrest_mission_ped=Yes\nkey_arrest_gamepad=X, A\nshow_msg=OFF\n",
                 {"f6", "Yes", "X, A", "OFF"}, kKeyF6, kF3, true, true, false},
    SettingsCase{"ShippedDefaultsInWords",
                 "[Brindlecot]\nkey_arrest=F3\nkey_arrest_gamepad=off\narrest_mission_ped=off\nshow_msg=on\n",
                 {"F3", "off", "off", "on"}, kF3, kKeyF6, false, false, true},
    SettingsCase{"ShowMsgTwo", "[Brindlecot]\nshow_msg=2\n", {"", "", "", "2"}, kF3, kKeyF6, false, false, true},
    SettingsCase{"ShowMsgMinusOne", "[Brindlecot]\nshow_msg=-1\n", {"", "", "", "-1"}, kF3, kKeyF6, false, false,
                 true}), ByName());
// clang-format on

//-----------------------------------------------------------------------------
// [SECTION] Gamepad choice
//-----------------------------------------------------------------------------

struct ScanCase {
    const char* name;
    std::vector<int> connected;
    int probes;  // of indices 0, 1 ... in that order
    int chosen;  // -1: none
};

void PrintTo(const ScanCase& c, std::ostream* out) { *out << c.name; }

class PadScan : public Scenario, public ::testing::WithParamInterface<ScanCase> {};

TEST_P(PadScan, KeepsTheLowestConnectedIndex) {
    const ScanCase& c = GetParam();
    host.setIni(padMaskIni(kPadA));
    for (int index : c.connected)
        host.pads[index].connected = true;
    start();
    const size_t settingsAt = host.trace.find("GetModuleFileNameA");
    std::vector<std::string> probes, expected;
    for (size_t n = 0; n < settingsAt; ++n)
        if (host.trace.entries[n].call.rfind("XInputGetState", 0) == 0) probes.push_back(host.trace.entries[n].call);
    for (int index = 0; index < c.probes; ++index)
        expected.push_back("XInputGetState(" + std::to_string(index) + ")");
    EXPECT_EQ(probes, expected);

    // Pads connected later are not seen before the next probe, and only the chosen one is read.
    for (int index = 0; index < 4; ++index)
        host.pads[index] = {true, index == c.chosen ? uint16_t{0} : kPadA, 1};
    host.runFrames(3);
    const std::vector<std::string> reads = host.trace.calls(settingsAt);
    size_t padReads = 0;
    for (const std::string& read : reads) {
        if (read.rfind("XInputGetState", 0) != 0) continue;
        ++padReads;
        EXPECT_EQ(read, "XInputGetState(" + std::to_string(c.chosen) + ")");
    }
    EXPECT_EQ(padReads, c.chosen < 0 ? 0u : 4u);
    EXPECT_THAT(dispatchFrames(host.trace), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Connections, PadScan,
                         ::testing::Values(ScanCase{"None", {}, 4, -1}, ScanCase{"AllFour", {0, 1, 2, 3}, 1, 0},
                                           ScanCase{"SecondAndFourth", {1, 3}, 2, 1},
                                           ScanCase{"OnlyTheFourth", {3}, 4, 3}),
                         ByName());

//-----------------------------------------------------------------------------
// [SECTION] Debounce and trigger sources
//-----------------------------------------------------------------------------

struct HeldCase {
    const char* name;
    uint32_t startTick, frameMs;
    uint64_t frames;  // run with the key held throughout
    std::vector<uint64_t> dispatches;
};

void PrintTo(const HeldCase& c, std::ostream* out) { *out << c.name; }

class HeldKey : public Scenario, public ::testing::WithParamInterface<HeldCase> {
  protected:
    HeldKey() : Scenario(GetParam().startTick) {}
};

// A key held down fires once, in the frame it is first read down, however long it is held and
// whatever the frame length; it is read in every frame. From tick 0 the first frame lies within the
// window after load (0 + 200), so the press is used up by it and never fires.
TEST_P(HeldKey, FiresOnceAndIsReadEveryFrame) {
    host.world.frameMs = GetParam().frameMs;
    host.holdKey(kF3);
    start();
    host.runFrames(GetParam().frames - 1);
    EXPECT_THAT(dispatchFrames(host.trace), ElementsAreArray(GetParam().dispatches));
    EXPECT_EQ(host.trace.count("GetAsyncKeyState"), GetParam().frames);
}

INSTANTIATE_TEST_SUITE_P(Holds, HeldKey,
                         ::testing::Values(HeldCase{"Every100ms", 100000, 100, 7, {0}},
                                           HeldCase{"Every201ms", 100000, 201, 7, {0}},
                                           HeldCase{"EverySecondForFiveMinutes", 100000, 1000, 300, {0}},
                                           HeldCase{"FromTick0", 0, 100, 7, {}}),
                         ByName());

// An arrest press held on until the take-over has made the clone, and the player aims at him now:
// the press has fired, and holding it does not release the clone and arrest him again.
TEST_F(Scenario, AnArrestPressHeldOnTheCloneArrestsOnce) {
    const int32_t ped = host.world.spawnPed({3, 0, 30});
    start();
    host.world.aimTarget = ped;
    host.holdKey(kF3);
    host.step();
    host.world.aimTarget = madeBy(host.trace, "CLONE_PED");
    host.runFor(3000);
    EXPECT_EQ(dispatchFrames(host.trace).size(), 1u);
    EXPECT_EQ(host.statusLine(), kStatusGetClose);
}

// beginArrest waits for the ped to leave his car; the window runs from the end of that wait: a
// press 150 ms after it is used up by the window, one 250 ms after it fires.
TEST_F(Scenario, TheWindowCountsFromTheEndOfADispatchThatWaited) {
    const int32_t ped = host.world.spawnPed({3, 0, 30});
    host.world.seatPed(ped, host.world.spawnVehicle({3, 0, 30}), -1);
    start();
    const size_t from = press(host, {ped, 0});
    uint32_t endStamp = 0;  // the dispatch's last clock read
    for (size_t n = from; n < host.trace.size(); ++n)
        if (host.trace.entries[n].call == "GetTickCount()") endStamp = host.trace.entries[n].tick;
    ASSERT_GT(endStamp - host.trace.entries[from].tick, 1000u) << "the take-over waited";
    for (const uint32_t after : {150u, 250u}) {
        host.runUntil([&] { return host.tick() - endStamp >= after; });
        press(host, {0, 1});
    }
    EXPECT_EQ(dispatchFrames(host.trace).size(), 2u);
    EXPECT_GE(host.trace.entries[host.trace.find("GET_PLAYER_INDEX()", from + 1)].tick - endStamp, 250u);
}

TEST_F(Scenario, PadIsTriedWhenOnlyTheSecondTickReadIsPastTheWindow) {
    host.setIni(padMaskIni(kPadA));
    host.pads[0] = {true, kPadA, 1};
    host.world.frameMs = 100;
    host.atFrame(1, [](sim::Host& h) { h.pads[0].buttons = 0; });
    host.atFrame(2, [](sim::Host& h) {
        h.pads[0].buttons = kPadA;
        h.holdKey(kF3);
        h.tickPerRead = 1;  // reads 100200, then 100201
    });
    start();  // fires at once: tick 100000 is long past 0 + 200
    host.runFrames(2);
    EXPECT_THAT(dispatchFrames(host.trace), ElementsAre(0u, 2u));
    // The key goes down too, but only the second tick read is past the window.
    EXPECT_THAT(callsIn(host.trace, 2, "G"),
                ElementsAre("GET_ENTITY_COORDS(1, 1)", "GetTickCount()", "GetAsyncKeyState(114)", "GetTickCount()",
                            "GetTickCount()", "GET_PLAYER_INDEX()", "GET_ENTITY_PLAYER_IS_FREE_AIMING_AT(0, &0)",
                            "GetTickCount()"));
    EXPECT_THAT(callsIn(host.trace, 2, "XInputGetState"), ElementsAre("XInputGetState(0)"));
}

TEST_F(Scenario, KeyAndPadInOneFrameGiveOneTriggerWithoutReadingThePad) {
    host.setIni(padMaskIni(kPadA));
    host.pads[0].connected = true;
    start();
    host.runFrames(2);
    host.pads[0].buttons = kPadA;
    press(host, {0, Press::kFrameOnly});
    EXPECT_THAT(dispatchFrames(host.trace), ElementsAre(3u));
    EXPECT_THAT(callsIn(host.trace, 3, "XInputGetState"), IsEmpty());
}

struct MaskCase {
    const char* name;
    long long mask;
    uint16_t buttons;
    bool fires;
};

void PrintTo(const MaskCase& c, std::ostream* out) { *out << c.name; }

class PadMask : public Scenario, public ::testing::WithParamInterface<MaskCase> {};

TEST_P(PadMask, AnyHeldBitOfTheMaskFires) {
    host.setIni(padMaskIni(GetParam().mask));
    host.pads[0] = {true, GetParam().buttons, 1};
    start();
    host.runFrames(2);
    EXPECT_EQ(dispatchFrames(host.trace).empty(), !GetParam().fires);
}

INSTANTIATE_TEST_SUITE_P(Masks, PadMask,
                         ::testing::Values(MaskCase{"FirstOfTwoBits", 0x3000, 0x1000, true},
                                           MaskCase{"SecondOfTwoBits", 0x3000, 0x2000, true},
                                           MaskCase{"OnlyOtherBits", 0x3000, 0x4000 | 0x0001, false},
                                           MaskCase{"OnlyBeyondTheButtons", 0x10000, 0xFFFF, false},
                                           // Bits that are no button make the mask unreadable: no button.
                                           MaskCase{"ButtonBitBesideOneBeyond", 0x18000, 0x8000, false},
                                           MaskCase{"AllBits", -1, 0x0001, false},
                                           // One choice a bit: more than four choices is said, not read.
                                           MaskCase{"EveryButtonIsTooMany", 0xF3FF, 0x0001, false},
                                           MaskCase{"FourButtons", 0xF000, 0x8000, true},
                                           MaskCase{"NoMask", 0, 0xFFFF, false}),
                         ByName());

//-----------------------------------------------------------------------------
// [SECTION] Bindings: combinations, modifiers, the mouse
//-----------------------------------------------------------------------------

struct BindingCase {
    const char* name;
    std::string ini;                     // the section's lines
    std::vector<std::vector<int>> keys;  // the keys down in frames 1, 2 ...
    std::vector<uint16_t> pad;           // the pad's buttons in those frames; missing: none
    size_t dispatches;
};

void PrintTo(const BindingCase& c, std::ostream* out) { *out << c.name; }

class Binding : public Scenario, public ::testing::WithParamInterface<BindingCase> {};

constexpr int kShift = 0x10;
constexpr uint16_t kPadLB = 0x0100, kPadY = 0x8000;

// Frames 250 ms apart, so the debounce never decides: a binding fires once each time it goes down,
// and only with all it asks for down. Modifiers are read only for a binding that names them.
TEST_P(Binding, FiresOnceAPressAndOnlyWithAllItNames) {
    const BindingCase& c = GetParam();
    host.setIni("[Brindlecot]\n" + c.ini);
    host.pads[0].connected = true;
    host.world.frameMs = 250;
    const size_t frames = std::max(c.keys.size(), c.pad.size());
    for (size_t f = 0; f < frames; ++f) {
        host.atFrame(f + 1, [&c, f](sim::Host& h) {
            std::fill(std::begin(h.keys), std::end(h.keys), false);
            if (f < c.keys.size())
                for (int key : c.keys[f])
                    h.holdKey(key);
            h.pads[0].buttons = f < c.pad.size() ? c.pad[f] : 0;
        });
    }
    start();
    host.runFrames(frames + 1);
    EXPECT_EQ(dispatchFrames(host.trace).size(), c.dispatches);
    EXPECT_EQ(host.trace.count("GetAsyncKeyState(16)") > 0, c.ini.find("Shift+") != std::string::npos);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Bindings, Binding, ::testing::Values(
    BindingCase{"ComboInEitherOrderFiresOncePerPress", "key_arrest_gamepad=LB+A\n", {},
                {kPadA, kPadA | kPadLB, kPadA | kPadLB, 0, kPadLB, kPadLB | kPadA}, 2},
    BindingCase{"ComboNeverOnOneOfItsButtons", "key_arrest_gamepad=LB+A\n", {}, {kPadA, 0, kPadLB, 0, kPadA}, 0},
    BindingCase{"ChoicesEitherFiresBothAtOnceOnce", "key_arrest_gamepad=A,Y\n", {}, {kPadA, 0, kPadY, 0, kPadA | kPadY}, 3},
    BindingCase{"NumbersAsAList", "key_arrest_gamepad=4096,32768\n", {}, {kPadY, 0, kPadA}, 2},
    BindingCase{"ShiftF3OnlyWithShiftInEitherOrder", "key_arrest=Shift+F3\n",
                {{kF3}, {kF3, kShift}, {}, {kShift}, {}, {kShift, kF3}}, {}, 2},
    BindingCase{"F3WithOrWithoutShift", "", {{kShift, kF3}, {}, {kF3}}, {}, 2},
    BindingCase{"MouseSideButton", "key_arrest=MouseX1\n", {{0x05}, {}, {kF3}}, {}, 1},
    BindingCase{"ShootButtonRefusedF3Kept", "key_arrest=1\n", {{0x01}, {}, {kF3}}, {}, 1}), ByName());
// clang-format on

//-----------------------------------------------------------------------------
// [SECTION] Pads that come late, go and come back
//-----------------------------------------------------------------------------

struct PadEvent {
    uint64_t atMs;
    int index;
    bool connected;
};

struct PadLife {
    const char* name;
    uint32_t startTick;
    std::vector<int> atStart;  // connected when the script starts
    std::vector<PadEvent> events;
    uint64_t holdFromMs;                  // A held on every pad from then on (mask A)
    uint64_t firstFireFrom, firstFireTo;  // elapsed ms of the first dispatch; from > to: none in 10 s
};

void PrintTo(const PadLife& c, std::ostream* out) { *out << c.name; }

class PadComesAndGoes : public Scenario, public ::testing::WithParamInterface<PadLife> {
  protected:
    PadComesAndGoes() : Scenario(GetParam().startTick) {}
};

// Probes are 2000 ms apart, counted from the start or from the read that lost the pad; a pad found
// by a probe fires in that frame. No empty slot is ever read sooner than 2000 ms after the last time.
TEST_P(PadComesAndGoes, IsFoundByTheNextProbeAndNoEmptySlotIsReadSooner) {
    const PadLife& c = GetParam();
    host.setIni(padMaskIni(kPadA));
    for (int index : c.atStart)
        host.pads[index].connected = true;
    for (const PadEvent& e : c.events)
        host.atTime(e.atMs, [e](sim::Host& h) { h.pads[e.index].connected = e.connected; });
    host.atTime(c.holdFromMs, [](sim::Host& h) {
        for (sim::PadSlot& pad : h.pads)
            pad.buttons = kPadA;
    });
    start();
    host.runFor(10000);

    uint64_t firstFire = UINT64_MAX;
    std::map<std::string, uint32_t> lastEmptyRead;
    for (const sim::TraceEntry& e : host.trace.entries) {
        const uint32_t elapsed = e.tick - c.startTick;
        if (e.call == "GET_PLAYER_INDEX()" && elapsed >= c.holdFromMs)
            firstFire = std::min<uint64_t>(firstFire, elapsed);
        if (e.call.rfind("XInputGetState", 0) != 0 || e.result != "1167") continue;
        if (lastEmptyRead.count(e.call)) {
            EXPECT_GE(elapsed - lastEmptyRead[e.call], kPadProbeIntervalMs) << e.call << " at " << elapsed << " ms";
        }
        lastEmptyRead[e.call] = elapsed;
    }
    if (c.firstFireFrom > c.firstFireTo) {
        EXPECT_EQ(firstFire, UINT64_MAX) << "fired at " << firstFire << " ms";
    } else {
        EXPECT_GE(firstFire, c.firstFireFrom);
        EXPECT_LE(firstFire, c.firstFireTo);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Pads, PadComesAndGoes, ::testing::Values(
    PadLife{"ConnectedFiveSecondsLate", 100000, {}, {{5000, 1, true}}, 0, 6000, 6017},
    PadLife{"ConnectedLateAcrossTheTickWrap", 0xFFFFF000u, {}, {{5000, 1, true}}, 0, 6000, 6017},
    PadLife{"NeverConnected", 100000, {}, {}, 0, 1, 0},
    PadLife{"LostThenFoundUnderAnotherIndex", 100000, {0}, {{1000, 0, false}, {1100, 2, true}}, 1000, 3000, 3017},
    PadLife{"LostAndBackUnderTheSameIndex", 100000, {0}, {{1000, 0, false}, {1500, 0, true}}, 1000, 3000, 3017}),
    ByName());
// clang-format on

// Without a button to fire, no pad is looked for after the start: empty slots are slow to read.
TEST_F(Scenario, WithoutAButtonSetNoPadIsProbedAfterTheStart) {
    host.atTime(500, [](sim::Host& h) { h.pads[1].connected = true; });
    start();
    host.runFor(10000);
    EXPECT_EQ(host.trace.count("XInputGetState"), 4u);
}

//-----------------------------------------------------------------------------
// [SECTION] A long run across the tick wrap
//-----------------------------------------------------------------------------

struct Hold {
    uint64_t from, to;  // frames, both included
    bool key;           // else the pad's A button
};

struct WrapRun {
    const char* name;
    uint32_t startTick;  // the tick wraps to 0 in frame (2^32 - startTick) / 16
    std::vector<Hold> holds;
    std::vector<uint64_t> dispatches;
};

void PrintTo(const WrapRun& c, std::ostream* out) { *out << c.name; }

class TickWrap : public Scenario, public ::testing::WithParamInterface<WrapRun> {
  protected:
    TickWrap() : Scenario(GetParam().startTick) {}
};

// Dispatches without a target wait for nothing; with 16 ms frames, frame f runs at startTick + 16 f
// and the window after a dispatch in frame d ends in frame d + 13 (208 ms). A hold fires once, in its
// first frame, unless that frame lies within the window.
TEST_P(TickWrap, APressFiresOnceWhenItBeginsPastTheWindow) {
    host.world.frameMs = 16;
    host.setIni(padMaskIni(kPadA));
    host.pads[0].connected = true;
    for (const Hold& hold : GetParam().holds) {
        for (const bool down : {true, false}) {
            host.atFrame(down ? hold.from : hold.to + 1, [hold, down](sim::Host& h) {
                if (hold.key) {
                    h.holdKey(kF3, down);
                } else {
                    h.pads[0].buttons = down ? kPadA : 0;
                }
            });
        }
    }
    start();
    host.runFrames(300);
    EXPECT_THAT(dispatchFrames(host.trace), ElementsAreArray(GetParam().dispatches));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Runs, TickWrap, ::testing::Values(
    // Wrap in frame 32. The window of the dispatch in frame 19 (tick 0xFFFFFF30) ends at 0xFFFFFFF8:
    // the key pressed at tick 0 fires, not 49.7 days later. The pad pressed in frame 28, within that
    // window, is used up by it and does not fire when it ends; the key tapped in frame 40 neither.
    // The key held from frame 70 fires once, and the pad pressed while it is held fires.
    WrapRun{"WindowEndsAfterTheWrap", 0xFFFFFE00u,
            {{19, 19, true}, {28, 40, false}, {32, 32, true}, {40, 40, true}, {50, 60, false}, {70, 299, true},
             {100, 100, false}},
            {19, 32, 50, 70, 100}},
    // Wrap in frame 16. The window of the dispatch in frame 14 (tick 0xFFFFFFE0) ends past the wrap,
    // in frame 27: the pad held from frame 15 and the key tapped in frame 20 are used up by it, the key
    // tapped in frame 27 fires.
    WrapRun{"WindowStraddlesTheWrap", 0xFFFFFF00u,
            {{14, 14, true}, {15, 40, false}, {20, 20, true}, {27, 27, true}, {200, 299, false}},
            {14, 27, 200}}), ByName());
// clang-format on
