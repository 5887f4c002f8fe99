// Brindlecot tests — the script's start, the order of a frame, trigger dispatch and the load state.
//
//   [SECTION] Helpers
//   [SECTION] Start and frame order
//   [SECTION] Dispatch
//   [SECTION] Module load state

#include <dlfcn.h>

#include <string>
#include <vector>

#include "tests/scenario.h"

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::Not;

//-----------------------------------------------------------------------------
// [SECTION] Helpers
//-----------------------------------------------------------------------------

namespace {

// The names of `calls`, without their arguments.
std::vector<std::string> namesOf(std::vector<std::string> calls) {
    for (std::string& call : calls)
        call = call.substr(0, call.find('('));
    return calls;
}

// The names of the calls from `from` up to, not including, entry `to`.
std::vector<std::string> namesBetween(const sim::Trace& trace, size_t from, size_t to) {
    std::vector<std::string> calls;
    for (size_t n = from; n < to && n < trace.size(); ++n)
        calls.push_back(trace.entries[n].call);
    return namesOf(calls);
}

const std::vector<std::string> kDraw = namesOf(drawOf(""));

}  // namespace

//-----------------------------------------------------------------------------
// [SECTION] Start and frame order
//-----------------------------------------------------------------------------

TEST_F(Scenario, StartSeedsScansAndReadsSettingsBeforeTheFirstFrame) {
    host.pads[2].connected = true;
    start();
    EXPECT_THAT(namesBetween(host.trace, 0, host.trace.size()),
                ElementsAreArray(
                    join({{"scriptRegister", "GetTickCount", "XInputGetState", "XInputGetState", "XInputGetState",
                           "GetModuleFileNameA", "GetPrivateProfileStringA", "GetPrivateProfileStringA",
                           "GetPrivateProfileStringA", "GetPrivateProfileStringA", "GetPrivateProfileStringA",
                           "GetPrivateProfileStringA", "GetPrivateProfileStringA", "GetPrivateProfileStringA",
                           "GetPrivateProfileStringA", "GET_CURRENT_LANGUAGE", "PLAYER_PED_ID", "GET_ENTITY_COORDS"},
                          kDraw,
                          {"GetTickCount", "GetAsyncKeyState", "GetTickCount", "XInputGetState", "scriptWait"}})));
    EXPECT_EQ(host.trace.find("GET_ENTITY_COORDS(1, 1)"), 17u);
}

// Refresh, draw, poll, dispatch, custody, wait; a text written in the frame shows from the next one.
TEST_F(Scenario, FrameRunsDispatchThenTheCustodyStepItStarted) {
    const int32_t ped = host.world.spawnPed({3, 0, 30});
    start();
    const size_t frame = press(host, {ped, Press::kFrameOnly});
    const size_t dispatch = host.trace.find("GET_PLAYER_INDEX()", frame);
    const size_t end = loopPassEnd(host.trace, frame);
    EXPECT_THAT(
        namesBetween(host.trace, frame, dispatch),
        ElementsAreArray(join(
            {{"PLAYER_PED_ID", "GET_ENTITY_COORDS"}, kDraw, {"GetTickCount", "GetAsyncKeyState", "GetTickCount"}})));
    EXPECT_EQ(entryAt(host.trace, dispatch + 1).call, "GET_ENTITY_PLAYER_IS_FREE_AIMING_AT(0, &0)");
    const size_t stamp = host.trace.find("PLAYER_PED_ID()", host.trace.find("CLONE_PED", dispatch)) - 1;
    EXPECT_EQ(entryAt(host.trace, stamp).call, "GetTickCount()");
    EXPECT_THAT(namesBetween(host.trace, stamp + 1, stamp + 3), ElementsAre("PLAYER_PED_ID", "DOES_ENTITY_EXIST"));
    EXPECT_LT(stamp, end);
    EXPECT_EQ(host.trace.find("ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME(\"\")", frame), frame + 2 + 8);
    host.step();
    EXPECT_EQ(host.statusLine(), kStatusGetClose);
}

//-----------------------------------------------------------------------------
// [SECTION] Dispatch
//-----------------------------------------------------------------------------

enum class Aim { Nothing, Car, Bystander };

struct DispatchCase {
    const char* name;
    Stage stage;
    Aim aim;
    bool begins, releases, cuffs, custodyAfter;
};

void PrintTo(const DispatchCase& c, std::ostream* out) { *out << c.name; }

class Dispatch : public Scenario, public ::testing::WithParamInterface<DispatchCase> {
  protected:
    // A suspect 1 m from the player, taken and, for the escort, cuffed; the player's car 10 m away.
    void reach(Stage stage) {
        car = host.world.parkLastVehicle({0, 10, 30});
        host.world.movePlayer({0, 0, 30});
        const int32_t suspect = host.world.spawnPed({kBesideThePlayer, 0, 30});
        start();
        host.runFrames(15);
        if (stage == Stage::None) return;
        press(host, {suspect});
        if (stage == Stage::Escort) {
            press(host);
            ASSERT_EQ(host.statusLine(), kStatusEscort);
        }
    }

    int32_t car = 0;
};

TEST_P(Dispatch, TargetBeginsOtherwiseReleaseOrCuffByStage) {
    const DispatchCase& c = GetParam();
    const int32_t bystander = host.world.spawnPed({2, 2, 30});
    reach(c.stage);
    const int32_t aim = c.aim == Aim::Bystander ? bystander : c.aim == Aim::Car ? car : 0;
    const size_t mark = press(host, {aim, Press::kFrameOnly});
    const size_t from = host.trace.find("GET_ENTITY_PLAYER_IS_FREE_AIMING_AT", mark) + 1;
    const std::vector<std::string> after = namesBetween(host.trace, from, loopPassEnd(host.trace, from));
    ASSERT_FALSE(after.empty()) << "no dispatch in the press frame";
    EXPECT_EQ(host.trace.count("CLONE_PED", from) == 1, c.begins);
    EXPECT_EQ(host.trace.count("TASK_SMART_FLEE_PED", from) == 1, c.releases);
    EXPECT_EQ(host.trace.count("SET_ENABLE_HANDCUFFS", from) == 1, c.cuffs);
    EXPECT_EQ(after.back() != "GetTickCount", c.custodyAfter);
    if (c.aim == Aim::Nothing && c.stage == Stage::None) {
        EXPECT_THAT(after, ElementsAre("GetTickCount"));
    }
    if (c.aim == Aim::Car) {  // asked whether it is a ped, and left alone
        EXPECT_EQ(after.front(), "IS_ENTITY_A_PED");
        EXPECT_EQ(host.trace.count("DOES_ENTITY_EXIST(" + std::to_string(car), from), 0u);
    }
    if (c.releases && !c.begins) {
        EXPECT_THAT(after, Not(Contains("GET_DISTANCE_BETWEEN_COORDS")));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, Dispatch,
    ::testing::Values(DispatchCase{"NobodyNoArrest", Stage::None, Aim::Nothing, false, false, false, false},
                      DispatchCase{"CarNoArrest", Stage::None, Aim::Car, false, false, false, false},
                      DispatchCase{"TargetNoArrest", Stage::None, Aim::Bystander, true, false, false, true},
                      DispatchCase{"NobodyBustedCuffs", Stage::Busted, Aim::Nothing, false, false, true, true},
                      DispatchCase{"CarBustedNothing", Stage::Busted, Aim::Car, false, false, false, true},
                      DispatchCase{"TargetBustedBegins", Stage::Busted, Aim::Bystander, true, true, false, true},
                      DispatchCase{"NobodyEscortReleases", Stage::Escort, Aim::Nothing, false, true, false, false},
                      DispatchCase{"CarEscortNothing", Stage::Escort, Aim::Car, false, false, false, true},
                      DispatchCase{"TargetEscortBegins", Stage::Escort, Aim::Bystander, true, true, false, true}),
    ByName());

//-----------------------------------------------------------------------------
// [SECTION] Module load state
//-----------------------------------------------------------------------------

// The first host leaves an arrest, a chosen pad, a text and a fresh trigger tick behind; the second
// must see none of them. Its press comes 26 ms after the first host's dispatch ended.
TEST(ModuleLoad, EveryLoadStartsFromTheLoadState) {
    for (uint64_t pressFrame : {1, 3}) {
        sim::Host host;
        host.pads[1].connected = true;
        const int32_t ped = host.world.spawnPed({kBesideThePlayer, 0, 30});
        host.load();
        host.step();
        EXPECT_EQ(host.trace.count("XInputGetState(0)"), 1u);
        EXPECT_EQ(host.trace.count("ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME(\"\")"), 1u);
        EXPECT_EQ(host.trace.count("DOES_ENTITY_EXIST"), 0u);
        host.runFrames(pressFrame - 1);
        press(host, {ped, Press::kFrameOnly});
        host.step();
        EXPECT_EQ(host.trace.count("CLONE_PED"), 1u);
        EXPECT_EQ(host.statusLine(), kStatusGetClose);
        EXPECT_THAT(host.faults, ::testing::IsEmpty());
    }
}

// Windows sends the DLL entry thread attach and detach notices (2, 3) between the process attach (1)
// and detach (0). The process notices register and unregister the script once each, with the module's
// own handle (the host faults on another); a thread notice that did either would start the script
// once more or end it under the game.
TEST(ModuleLoad, TheProcessNoticesRegisterAndUnregisterAndTheThreadNoticesNothing) {
    sim::Host host;
    void* module = dlopen(sim::Host::defaultModulePath().c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    const auto attach = reinterpret_cast<int32_t (*)(void*, uint32_t, void*)>(dlsym(module, "pluginAttach"));
    ASSERT_NE(attach, nullptr);
    EXPECT_EQ(attach(module, 1, nullptr), 1);
    for (uint32_t reason : {2u, 3u}) {
        EXPECT_EQ(attach(module, reason, nullptr), 1) << "notice " << reason;
        EXPECT_THAT(host.trace.calls(), ElementsAre("scriptRegister")) << "after notice " << reason;
    }
    EXPECT_EQ(attach(module, 0, nullptr), 1);
    EXPECT_THAT(host.trace.calls(), ElementsAre("scriptRegister", "scriptUnregister"));
    EXPECT_THAT(host.faults, ::testing::IsEmpty());
    EXPECT_FALSE(host.scriptRegistered());
    dlclose(module);
}

// A key held across a second start has fired in the earlier run: aimed at a ped in the reloaded game
// it does nothing until it has been let go and pressed again.
TEST_F(Scenario, AKeyHeldAcrossASecondStartFiresOnlyWhenPressedAgain) {
    start();
    host.runFrames(20);
    host.holdKey(kF3);
    host.runFrames(2);
    host.reloadGame();
    const int32_t ped = host.world.spawnPed({3, 0, 30});
    host.world.aimTarget = ped;
    const size_t from = host.trace.size();
    host.runFrames(30);
    EXPECT_EQ(host.trace.count("GET_PLAYER_INDEX()", from), 0u);
    host.holdKey(kF3, false);
    host.step();
    press(host, {ped});
    EXPECT_EQ(host.trace.count("CLONE_PED", from), 1u);
}
