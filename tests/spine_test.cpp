// Brindlecot tests — the script's start, the order of a frame, trigger dispatch and a whole arrest.
//
//   [SECTION] Helpers
//   [SECTION] Start and frame order
//   [SECTION] Dispatch
//   [SECTION] Module load state and a whole arrest

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

// The calls from `from` up to, not including, entry `to`, without their arguments.
std::vector<std::string> namesBetween(const sim::Trace& trace, size_t from, size_t to) {
    std::vector<std::string> out;
    for (size_t n = from; n < to && n < trace.size(); ++n)
        out.push_back(trace.entries[n].call.substr(0, trace.entries[n].call.find('(')));
    return out;
}

// clang-format off
const std::vector<std::string> kDraw = {"SET_TEXT_FONT", "SET_TEXT_SCALE", "SET_TEXT_COLOUR", "SET_TEXT_WRAP",
    "SET_TEXT_CENTRE", "SET_TEXT_DROPSHADOW", "SET_TEXT_OUTLINE", "BEGIN_TEXT_COMMAND_DISPLAY_TEXT",
    "ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME", "END_TEXT_COMMAND_DISPLAY_TEXT"};
// clang-format on

// Holds the arrest key until the frame it was pressed in has ended, through any waits inside it.
void tapThroughFrame(sim::Host& host) {
    const size_t from = host.trace.size();
    host.press(0x72);
    host.runUntil([&] { return host.trace.find("scriptWait(0)", from) < host.trace.size(); });
    host.press(0x72, false);
}

std::vector<std::string> concat(std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> out;
    for (const auto& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

}  // namespace

//-----------------------------------------------------------------------------
// [SECTION] Start and frame order
//-----------------------------------------------------------------------------

TEST_F(Scenario, StartSeedsScansAndReadsSettingsBeforeTheFirstFrame) {
    host.pads[2].connected = true;
    start();
    EXPECT_THAT(namesBetween(host.trace, 0, host.trace.size()),
                ElementsAreArray(
                    concat({{"scriptRegister", "GetTickCount", "XInputGetState", "XInputGetState", "XInputGetState",
                             "GetPrivateProfileIntA", "GetPrivateProfileIntA", "GetPrivateProfileIntA",
                             "GetPrivateProfileIntA", "PLAYER_PED_ID", "GET_ENTITY_COORDS"},
                            kDraw,
                            {"GetTickCount", "GetAsyncKeyState", "GetTickCount", "XInputGetState", "scriptWait"}})));
    EXPECT_EQ(host.trace.find("GET_ENTITY_COORDS(1, 1)"), 10u);
}

// Refresh, draw, poll, dispatch, custody, wait; a text written in the frame shows from the next one.
TEST_F(Scenario, FrameRunsDispatchThenTheCustodyStepItStarted) {
    const int32_t ped = host.world.spawnPed({3, 0, 30});
    start();
    host.world.aimTarget = ped;
    const size_t frame = host.trace.size();
    tapThroughFrame(host);
    const size_t dispatch = host.trace.find("GET_PLAYER_INDEX()", frame);
    const size_t end = host.trace.find("scriptWait(0)", frame);
    EXPECT_THAT(
        namesBetween(host.trace, frame, dispatch),
        ElementsAreArray(concat(
            {{"PLAYER_PED_ID", "GET_ENTITY_COORDS"}, kDraw, {"GetTickCount", "GetAsyncKeyState", "GetTickCount"}})));
    EXPECT_EQ(host.trace.entries[dispatch + 1].call, "GET_ENTITY_PLAYER_IS_FREE_AIMING_AT(0, &0)");
    const size_t stamp = host.trace.find("PLAYER_PED_ID()", host.trace.find("CLONE_PED", dispatch)) - 1;
    EXPECT_EQ(host.trace.entries[stamp].call, "GetTickCount()");
    EXPECT_THAT(namesBetween(host.trace, stamp + 1, stamp + 3), ElementsAre("PLAYER_PED_ID", "DOES_ENTITY_EXIST"));
    EXPECT_LT(stamp, end);
    EXPECT_EQ(host.trace.find("ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME(\"\")", frame), frame + 2 + 8);
    host.step();
    EXPECT_EQ(host.statusLine(), "Get close to the suspect and press again to cuff him");
}

//-----------------------------------------------------------------------------
// [SECTION] Dispatch
//-----------------------------------------------------------------------------

enum class Stage { None, Busted, Escorting };
enum class Aim { Nothing, Negative, Bystander };

struct DispatchCase {
    const char* name;
    Stage stage;
    Aim aim;
    bool begins, releases, cuffs, custodyAfter;
};

class Dispatch : public Scenario, public ::testing::WithParamInterface<DispatchCase> {
  protected:
    // A suspect 1 m from the player, taken and, for the escort, cuffed.
    void reach(Stage stage) {
        const int32_t suspect = host.world.spawnPed({1, 0, 30});
        start();
        host.runFrames(15);
        if (stage == Stage::None) return;
        host.world.aimTarget = suspect;
        tapKey();
        host.world.aimTarget = 0;
        host.runFrames(15);
        if (stage == Stage::Escorting) {
            tapKey();
            host.runFrames(15);
            ASSERT_EQ(host.statusLine(), "Escort the suspect to the vehicle");
        }
    }
};

TEST_P(Dispatch, TargetBeginsOtherwiseReleaseOrCuffByStage) {
    const DispatchCase& c = GetParam();
    const int32_t bystander = host.world.spawnPed({2, 2, 30});
    reach(c.stage);
    host.world.aimTarget = c.aim == Aim::Bystander ? bystander : c.aim == Aim::Negative ? -1 : 0;
    const size_t mark = host.trace.size();
    tapThroughFrame(host);
    const size_t from = host.trace.find("GET_ENTITY_PLAYER_IS_FREE_AIMING_AT", mark) + 1;
    const std::vector<std::string> after = namesBetween(host.trace, from, host.trace.find("scriptWait(0)", from));
    EXPECT_EQ(host.trace.count("CLONE_PED", from) == 1, c.begins);
    EXPECT_EQ(host.trace.count("TASK_SMART_FLEE_PED", from) == 1, c.releases);
    EXPECT_EQ(host.trace.count("SET_ENABLE_HANDCUFFS", from) == 1, c.cuffs);
    EXPECT_EQ(after.back() != "GetTickCount", c.custodyAfter);
    if (c.stage == Stage::None && !c.begins) {
        EXPECT_THAT(after, ElementsAre("GetTickCount"));
    }
    if (c.releases && !c.begins) {
        EXPECT_THAT(after, Not(Contains("GET_DISTANCE_BETWEEN_COORDS")));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, Dispatch,
    ::testing::Values(DispatchCase{"NobodyNoArrest", Stage::None, Aim::Nothing, false, false, false, false},
                      DispatchCase{"NegativeNoArrest", Stage::None, Aim::Negative, false, false, false, false},
                      DispatchCase{"TargetNoArrest", Stage::None, Aim::Bystander, true, false, false, true},
                      DispatchCase{"NobodyBustedCuffs", Stage::Busted, Aim::Nothing, false, false, true, true},
                      DispatchCase{"NegativeBustedCuffs", Stage::Busted, Aim::Negative, false, false, true, true},
                      DispatchCase{"TargetBustedBegins", Stage::Busted, Aim::Bystander, true, true, false, true},
                      DispatchCase{"NobodyEscortReleases", Stage::Escorting, Aim::Nothing, false, true, false, false},
                      DispatchCase{"NegativeEscortReleases", Stage::Escorting, Aim::Negative, false, true, false,
                                   false},
                      DispatchCase{"TargetEscortBegins", Stage::Escorting, Aim::Bystander, true, true, false, true}),
    [](const ::testing::TestParamInfo<DispatchCase>& p) { return std::string(p.param.name); });

//-----------------------------------------------------------------------------
// [SECTION] Module load state and a whole arrest
//-----------------------------------------------------------------------------

// The first host leaves an arrest, a chosen pad, a text and a fresh trigger tick behind; the second
// must see none of them. Its press comes 26 ms after the first host's dispatch ended.
TEST(ModuleLoad, EveryLoadStartsFromTheLoadState) {
    for (uint64_t pressFrame : {1, 3}) {
        sim::Host host;
        host.pads[1].connected = true;
        const int32_t ped = host.world.spawnPed({1, 0, 30});
        host.load();
        host.step();
        EXPECT_EQ(host.trace.count("XInputGetState(0)"), 1u);
        EXPECT_EQ(host.trace.count("ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME(\"\")"), 1u);
        EXPECT_EQ(host.trace.count("DOES_ENTITY_EXIST"), 0u);
        host.runFrames(pressFrame - 1);
        host.world.aimTarget = ped;
        tapThroughFrame(host);
        host.step();
        EXPECT_EQ(host.trace.count("CLONE_PED"), 1u);
        EXPECT_EQ(host.statusLine(), "Get close to the suspect and press again to cuff him");
        EXPECT_THAT(host.faults, ::testing::IsEmpty());
    }
}

TEST_F(Scenario, WholeArrestFromAimToHandOver) {
    const int32_t ped = host.world.spawnPed({5, 0, 30});
    const int32_t car = host.world.spawnVehicle({0, 10, 30});
    host.world.seatPed(host.world.playerPed, car, -1);
    host.world.unseatPed(host.world.playerPed);
    start();
    host.world.aimTarget = ped;
    tapKey();
    host.world.aimTarget = 0;
    host.world.movePlayer({5, 1, 30});
    host.runFrames(20);
    tapKey();
    host.world.movePlayer({0, 8, 30});
    EXPECT_TRUE(host.runUntil([&] { return host.world.waypointSet; }, 2000));
    host.world.seatPed(host.world.playerPed, car, -1);
    host.runFrames(200);
    host.world.drive(car, {477, -1020, 28}, 30);
    EXPECT_TRUE(host.runUntil([&] { return host.trace.count("CREATE_PED") == 1; }, 5000));
    host.runFrames(5);
    EXPECT_EQ(host.statusLine(), "");
    EXPECT_EQ(host.trace.count("DOES_ENTITY_EXIST", host.trace.find("TASK_LEAVE_VEHICLE")), 0u);
}
